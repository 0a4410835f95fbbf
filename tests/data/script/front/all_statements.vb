imports "unit_a.vb", "unit_b.vb"
dim i, j as integer = 5
dim a[3, 4]
dim s as string

sub Show(byval Text, byref Count as integer)
  Count = Count + 1
end sub

function Twice(x as decimal) as decimal
  return x * 2
end function

i = 0x1F + 1.5e3 - (-2) mod 3 \ 2 / 1 & "x"
s = "a" & "b" _
  & "c" ' the continuation joins the lines
j = Twice(i): Show(s, j)
set k = new TObject
a[0, 1] = not (i <> j) and (i >= 1) or (i <= 2) xor (i = 3) or [1, 2..3] is TObject
if i > 0 then i = 0
if i > 0 then
  i = 0
elseif i < 0 then
  i = 1
else
  i = 2
end if
select case i
  case 1, 2: j = 1
  case 3: j = 2
  case else: j = 3
end select
for i = 1 to 10 step 2
  j = j + i
  if j > 20 then break
next
while i < 10
  i = i + 1
  continue
wend
do
  i = i - 1
loop until i = 0
do
  i = i + 1
loop while i < 5
try
  j = 1 / i
catch
  j = 0
end try
try
  j = 1
finally
  j = 2
end try
with Report
  ShowBand(addressof Twice)
end with
delete k
s = <Total>
i += 1
i++
' comment
rem comment
/\ block /\
removeAll()
exit
