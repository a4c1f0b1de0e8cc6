local v = {}
local x = 12345
for i = 1, 3000 do
  x = (x * 1103 + 12345) % 65536
  v[i] = x
end
for i = 3000, 2, -1 do
  for j = 1, i - 1 do
    if v[j] > v[j + 1] then v[j], v[j + 1] = v[j + 1], v[j] end
  end
end
print(v[1] .. " " .. v[1500] .. " " .. v[3000])
