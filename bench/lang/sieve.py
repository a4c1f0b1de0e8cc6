n = 2000000
marks = [False] * (n + 1)
primes = 0
for i in range(2, n + 1):
    if not marks[i]:
        primes = primes + 1
        for j in range(i * i, n + 1, i):
            marks[j] = True
print(primes)
