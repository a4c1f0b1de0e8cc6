local letters = "abcdefghijklmnopqrstuvwxyz"
local total = 0
local s
for k = 1, 1000 do
  s = ""
  for i = 1, 1000 do
    s = s .. string.sub(letters, i % 26 + 1, i % 26 + 1)
  end
  total = total + #s
end
print(total .. " " .. string.sub(s, 995, 1000))
