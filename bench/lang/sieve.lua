local n = 2000000
local marks = {}
for i = 1, n do marks[i] = false end
local primes = 0
for i = 2, n do
  if not marks[i] then
    primes = primes + 1
    for j = i * i, n, i do marks[j] = true end
  end
end
print(primes)
