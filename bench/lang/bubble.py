v = [0] * 3001
x = 12345
for i in range(1, 3001):
    x = (x * 1103 + 12345) % 65536
    v[i] = x
for i in range(3000, 1, -1):
    for j in range(1, i):
        if v[j] > v[j + 1]:
            v[j], v[j + 1] = v[j + 1], v[j]
print(v[1], v[1500], v[3000])
