var UnitA = 1;
UnitA = 2;
