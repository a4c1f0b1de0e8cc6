letters = "abcdefghijklmnopqrstuvwxyz"
total = 0
s = ""
for k in range(1, 1001):
    s = ""
    for i in range(1, 1001):
        s = s + letters[i % 26:i % 26 + 1]
    total = total + len(s)
print(total, s[994:1000])
