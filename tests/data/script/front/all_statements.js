import "unit_a.js", "unit_b.js";
var i, j = 5, a[3];
var s = "it""s";

function Show(Text, &Count) {
  Count = Count + 1;
}

function Twice(x) {
  return x * 2;
}

i = 0x1F + 1.5e3 - (-2) % 3 div 2;
s = "a\tb\x41\n" + "c";
j = Twice(i);
Show(s, j);
j += 1; j -= 1; j *= 2; j /= 2;
i++; i--;
a[0] = !(i != j) && (i >= 1) || (i <= 2) ^ (i == 3) << 1 >> 1;
s = [1, 2..3] in i is TObject;
if (i > 0) i = 0; else i = 1;
switch (i) {
  case 1: j = 1;
  case 2, 3: { j = 2; }
  default: j = 3;
}
for (i = 0; i < 10; i++) j = j + i;
for (var n = 0; n < 2; n++) { }
while (i < 10) { i = i + 1; break; }
do i = i - 1; while (i > 0);
try { j = 1 / i; } except { j = 0; }
try { j = 1; } finally { j = 2; }
with (Report) { ShowBand(&Twice); }
delete s;
s = new TObject;
s = <Total>;
/* block */ // line
continue;
return j
