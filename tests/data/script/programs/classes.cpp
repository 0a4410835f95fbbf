// Classes of the library: a string list, an in-memory INI file, XML.
TStringList l;
TMemIniFile ini;
TkxXMLDocument doc;
TkxXMLItem item;
string sorted, iniText, xmlName, xmlProp;
int count, iniNum, xmlCount;
{
  l = new TStringList;
  l.Add("pear");
  l.Add("apple");
  l.Add("fig");
  l.Sort();
  sorted = l[0] + "," + l[1] + "," + l.Strings[2];
  count = l.Count;
  delete l;
  ini = new TMemIniFile("");
  ini.WriteString("main", "name", "report");
  ini.WriteInteger("main", "pages", 12);
  iniText = ini.ReadString("main", "name", "?") + "/" + ini.ReadString("main", "missing", "none");
  iniNum = ini.ReadInteger("main", "pages", 0);
  delete ini;
  doc = new TkxXMLDocument;
  item = doc.Root.Add;
  item.Name = "row";
  item.Prop["a"] = "one";
  xmlCount = doc.Root.Count;
  xmlName = doc.Root.Items[0].Name;
  xmlProp = doc.Root.Items[0].Prop["a"];
  delete doc;
}
