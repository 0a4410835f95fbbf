import "unit_a.js";
