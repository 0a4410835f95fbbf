-- The example shop database: scripts/make-example-db turns this into
-- examples/shop.db. Fixed data, so that the example always shows the same.
CREATE TABLE customers (
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  city TEXT NOT NULL,
  since DATE NOT NULL
);
INSERT INTO customers VALUES
  (1, 'Anna Kowalczyk', 'Kraków', '2019-03-14'),
  (2, 'Bert Hansen', 'Aarhus', '2020-11-02'),
  (3, 'Cleo Martin', 'Lyon', '2021-06-30'),
  (4, 'Dara Byrne', 'Cork', '2023-01-09');

CREATE TABLE orders (
  id INTEGER PRIMARY KEY,
  customer INTEGER NOT NULL REFERENCES customers(id),
  ordered DATE NOT NULL,
  total REAL NOT NULL,
  note TEXT
);
INSERT INTO orders VALUES
  (1001, 1, '2024-01-05', 120.50, NULL),
  (1002, 1, '2024-02-11', 35.00, 'gift wrap'),
  (1003, 2, '2024-02-12', 4.99, NULL),
  (1004, 3, '2024-03-01', 250.00, 'two parcels'),
  (1005, 3, '2024-03-20', 18.75, NULL),
  (1006, 4, '2024-04-02', 66.10, NULL);
