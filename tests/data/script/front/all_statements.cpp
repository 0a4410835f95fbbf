#include "unit_a.cpp", "unit_b.cpp"
#define Max 10
int i, j = 5, k[3], m[2][2];
string s;

void Show(string Text, int &Count, int n = 5)
{
  Count = Count + 1;
}

int Twice(float x)
{
  return x * 2;
}

{
  i = 0x1F + 1.5e3 - (-2) % 3 div 2;
  s = "a\tb\x41\n""c";
  j = Twice(i);
  Show(s, j);
  j += 1; j -= 1; j *= 2; j /= 2;
  i++; i--;
  k[0] = !(i != j) && (i >= 1) || (i <= 2) ^ (i == 3) << 1 >> 1;
  m[0][1] = [1, 2..3] in i is TObject;
  if (i > 0) i = 0; else i = 1;
  switch (i) {
    case 1: j = 1;
    case 2, 3: { j = 2; }
    default: j = 3;
  }
  for (i = 0, j = 1; i < 10; i++) j = j + i;
  for (int n = 0; n < 2; n++) ;
  while (i < 10) { i = i + 1; break; continue; }
  do i = i - 1; while (i > 0);
  try { j = 1 / i; } except { j = 0; }
  try { j = 1; } finally { j = 2; }
  delete s;
  s = new TObject(1);
  Show(&Twice, j);
  i = <Total>;
  /* block */ // line
  ;
  return;
  exit;
}
