// The library classes and functions: lists, INI files, XML items, dates, errors.
var sl, ini, doc, item, i, n, y, m, dd, s, msg, joined, xmlName, d;
sl = new TStringList;
sl.Add("pear"); sl.Add("apple"); sl.Add("fig");
sl.Sort;
joined = sl.CommaText;
n = TStringList(sl).Count;
s = sl[0] + "/" + sl.Strings[2];
sl.Free;
ini = new TMemIniFile("");
ini.WriteInteger("Main", "Count", 41);
i = ini.ReadInteger("Main", "Count", 0) + 1;
ini.Free;
doc = new TkxXMLDocument;
doc.Root.Name = "report";
item = doc.Root.Add;
item.Name = "page";
item.Prop["title"] = "First";
xmlName = doc.Root.Items[0].Prop["title"];
doc.Free;
DecodeDate(EncodeDate(2024, 2, 29), y, m, dd);
d = IntToStr(y) + "-" + IntToStr(m) + "-" + IntToStr(dd);
try
{
  Ord("");
}
except
{
  msg = ExceptionMessage;
}
Inc(n, 10);
