program Demo;
uses 'unit_a.pas', 'unit_b.pas';
const
  Max = 10;
  Greeting = 'it''s'#13#10'ok';
var
  i, j: Integer;
  s: String = 'x';
  a: array[0..2, 5] of Variant;
  b: array of Integer;

procedure Show(const Text: String; var Count: Integer; n: Integer = 5);
begin
  Count := Count + 1;
end;

function Twice(x: Extended): Extended;
var t: Extended;
begin
  t := x * 2;
  Result := t;
end;

begin
  i := $1F + 1.5E+3 - (-2) div 3 mod 4 shl 1 shr 1 / 2;
  s := 'a' + Greeting;
  j := Twice(i);
  Show(s, j);
  a[0, 1] := not (i <> j) and (i >= 1) or (i <= 2) xor (i in `1, 2..5`);
  b := i is TObject;
  if i > 0 then i := 0 else i := 1;
  case i of
    1, 2: j := 1;
    3..4: begin j := 2 end;
  else
    j := 3;
  end;
  for i := 1 to 10 do j := j + i;
  for i := 10 downto 1 do begin break; continue end;
  while i < 10 do i := i + 1;
  repeat i := i - 1 until i = 0;
  try
    j := 1 / i;
  except
    j := 0;
  end;
  try j := 1 finally j := 2 end;
  with Report, Engine do ShowBand(@Twice);
  s := [Total] + <Page#>;
  { a comment with { inside }
  (* another *) // and a line comment
  Report.Pages[0].Name := 'P';
  exit;
end.
