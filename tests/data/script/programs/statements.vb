' Every statement form, recursion and exceptions.
dim i, sum, down, rep, wh, cs, fib10, tried, fin, brk, cont
dim s as String
dim a[5]

function Fib(n)
  if n < 2 then
    return n
  else
    return Fib(n - 1) + Fib(n - 2)
  end if
end function

function AddDef(x, y = 10)
  return x + y
end function

sub Twice(byref v)
  v = v * 2
end sub

sum = 0
for i = 1 to 10
  sum = sum + i
next
down = 0
for i = 5 to 1 step -1
  down = down * 10 + i
next
rep = 0
do
  rep = rep + 3
loop until rep > 10
wh = 1
while wh < 100
  wh = wh * 2
wend
select case wh
  case 1..99: cs = 1
  case 128: cs = 2
  case else: cs = 3
end select
fib10 = Fib(10)
try
  tried = 1
  tried = tried \ 0
  tried = 5
catch
  tried = -1
end try
fin = 0
try
  fin = 1
finally
  fin = fin + 10
end try
brk = 0
for i = 1 to 100
  if i > 7 then break
  brk = i
next
cont = 0
for i = 1 to 10
  if i mod 2 = 0 then continue
  cont = cont + i
next
s = "abc"
s[2] = "X"
s = s & s[1]
for i = 0 to 4
  a[i] = i * i
next
Twice(sum)
sum = sum + AddDef(1) + AddDef(1, 2)
