imports "unit_a.vb"
