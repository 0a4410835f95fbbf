uses 'unit_a.pas';
begin
end.
