-- The empty stock database: no materials, thirty numbered suppliers without names.
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30)
INSERT INTO Promithf (ID, Perigrafi, stoixeia, stoixeia2, tmpString1)
  SELECT i, '', '', '', CASE i WHEN 1 THEN '00000000000000000000' ELSE '' END FROM n;
