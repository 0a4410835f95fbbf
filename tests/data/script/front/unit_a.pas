const UnitA = 1;
begin
  UnitA := 2;
end.
