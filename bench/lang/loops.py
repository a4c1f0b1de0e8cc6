s = 0
for i in range(1, 3001):
    for j in range(1, 1001):
        s = s + (i * j) % 7
print(s)
