dim UnitA = 1
UnitA = 2
