// Every statement form, recursion and exceptions.
int i, sum, down, rep, wh, cs, fib10, tried, fin, brk, cont;
string s;
int a[5];

int Fib(int n)
{
  if (n < 2) return n;
  else return Fib(n - 1) + Fib(n - 2);
}

int AddDef(int x, int y = 10)
{
  return x + y;
}

void Twice(int &v)
{
  v = v * 2;
}

{
  sum = 0;
  for (i = 1; i <= 10; i++) sum += i;
  down = 0;
  for (i = 5; i >= 1; i--) down = down * 10 + i;
  rep = 0;
  do rep = rep + 3; while (rep <= 10);
  wh = 1;
  while (wh < 100) wh *= 2;
  switch (wh)
  {
    case 1..99: cs = 1;
    case 128: cs = 2;
    default: cs = 3;
  }
  fib10 = Fib(10);
  try
  {
    tried = 1;
    tried = tried % 0;
    tried = 5;
  }
  except
  {
    tried = -1;
  }
  fin = 0;
  try
  {
    fin = 1;
  }
  finally
  {
    fin = fin + 10;
  }
  brk = 0;
  for (i = 1; i <= 100; i++)
  {
    if (i > 7) break;
    brk = i;
  }
  cont = 0;
  for (i = 1; i <= 10; i++)
  {
    if (i % 2 == 0) continue;
    cont += i;
  }
  s = "abc";
  s[2] = "X";
  s = s + s[1];
  for (i = 0; i < 5; i++) a[i] = i * i;
  Twice(sum);
  sum = sum + AddDef(1) + AddDef(1, 2);
}
