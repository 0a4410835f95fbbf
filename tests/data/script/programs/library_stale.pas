{ A freed object's handle is stale. }
var sl: TStringList;
  n: Integer;
begin
  sl := TStringList.Create;
  sl.Free;
  n := sl.Count;
end.
