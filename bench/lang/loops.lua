local s = 0
for i = 1, 3000 do
  for j = 1, 1000 do
    s = s + (i * j) % 7
  end
end
print(s)
