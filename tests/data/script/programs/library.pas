{ The library classes and functions: lists, INI files, XML items, dates, errors. }
var
  sl: TStringList;
  ini: TMemIniFile;
  doc: TkxXMLDocument;
  item: TkxXMLItem;
  i, n: Integer;
  s, msg, joined, xmlName, d: String;
  y, m, dd: Word;
begin
  sl := TStringList.Create;
  sl.Add('pear'); sl.Add('apple'); sl.Add('fig');
  sl.Sort;
  joined := sl.CommaText;
  n := TStringList(sl).Count;
  s := sl[0] + '/' + sl.Strings[2];
  sl.Free;
  ini := TMemIniFile.Create('');
  ini.WriteInteger('Main', 'Count', 41);
  i := ini.ReadInteger('Main', 'Count', 0) + 1;
  ini.Free;
  doc := TkxXMLDocument.Create;
  doc.Root.Name := 'report';
  item := doc.Root.Add;
  item.Name := 'page';
  item.Prop['title'] := 'First';
  xmlName := doc.Root.Items[0].Prop['title'];
  doc.Free;
  DecodeDate(EncodeDate(2024, 2, 29), y, m, dd);
  d := IntToStr(y) + '-' + IntToStr(m) + '-' + IntToStr(dd);
  try
    Ord('');
  except
    msg := ExceptionMessage;
  end;
  Inc(n, 10);
end.
