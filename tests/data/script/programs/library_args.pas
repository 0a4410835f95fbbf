{ A registered function called with too few arguments. }
var x: String;
begin
  x := Copy('abc');
end.
