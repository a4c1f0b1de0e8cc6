def fib(n):
    r = n
    if n > 1:
        r = fib(n - 1) + fib(n - 2)
    return r
print(fib(30))
