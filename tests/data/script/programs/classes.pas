// Classes of the library: a string list, an in-memory INI file, XML.
var
  l: TStringList;
  ini: TMemIniFile;
  doc: TkxXMLDocument;
  item: TkxXMLItem;
  sorted, iniText, xmlName, xmlProp: String;
  count, iniNum, xmlCount: Integer;
begin
  l := TStringList.Create;
  l.Add('pear');
  l.Add('apple');
  l.Add('fig');
  l.Sort;
  sorted := l[0] + ',' + l[1] + ',' + l.Strings[2];
  count := l.Count;
  l.Free;
  ini := TMemIniFile.Create('');
  ini.WriteString('main', 'name', 'report');
  ini.WriteInteger('main', 'pages', 12);
  iniText := ini.ReadString('main', 'name', '?') + '/' + ini.ReadString('main', 'missing', 'none');
  iniNum := ini.ReadInteger('main', 'pages', 0);
  ini.Free;
  doc := TkxXMLDocument.Create;
  item := doc.Root.Add;
  item.Name := 'row';
  item.Prop['a'] := 'one';
  xmlCount := doc.Root.Count;
  xmlName := doc.Root.Items[0].Name;
  xmlProp := doc.Root.Items[0].Prop['a'];
  doc.Free;
end.
