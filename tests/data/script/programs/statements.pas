// Every statement form, recursion and exceptions.
var
  i, sum, down, rep, wh, cs, fib10, tried, fin, brk, cont: Integer;
  s: String;
  a: array[0..4] of Variant;

function Fib(n: Integer): Integer;
begin
  if n < 2 then Result := n
  else Result := Fib(n - 1) + Fib(n - 2);
end;

function AddDef(x: Integer; y: Integer = 10): Integer;
begin
  Result := x + y;
end;

procedure Twice(var v: Integer);
begin
  v := v * 2;
end;

begin
  sum := 0;
  for i := 1 to 10 do sum := sum + i;
  down := 0;
  for i := 5 downto 1 do down := down * 10 + i;
  rep := 0;
  repeat rep := rep + 3 until rep > 10;
  wh := 1;
  while wh < 100 do wh := wh * 2;
  case wh of
    1..99: cs := 1;
    128: cs := 2;
  else cs := 3;
  end;
  fib10 := Fib(10);
  try
    tried := 1;
    tried := tried div 0;
    tried := 5;
  except
    tried := -1;
  end;
  fin := 0;
  try
    fin := 1;
  finally
    fin := fin + 10;
  end;
  brk := 0;
  for i := 1 to 100 do
  begin
    if i > 7 then break;
    brk := i;
  end;
  cont := 0;
  for i := 1 to 10 do
  begin
    if i mod 2 = 0 then continue;
    cont := cont + i;
  end;
  s := 'abc';
  s[2] := 'X';
  s := s + s[1];
  for i := 0 to 4 do a[i] := i * i;
  Twice(sum);
  sum := sum + AddDef(1) + AddDef(1, 2);
end.
