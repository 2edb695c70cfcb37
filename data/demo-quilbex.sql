-- Demo language table and parameters: Greek is language 1, English language 2.
-- Keys compare without regard to case, so "Kodikos" also answers "kodikos".
INSERT INTO glossa (greeklish, ellinika, english) VALUES
  ('Anazitisi', 'Αναζήτηση', 'Search'),
  ('Antigrafi', 'Αντιγραφή', 'Copy'),
  ('Apothikefsi', 'Αποθήκευση', 'Save'),
  ('Apothiki', 'Αποθήκη', 'Store'),
  ('Axia', 'Αξία', 'Value'),
  ('Diagrafi', 'Διαγραφή', 'Delete'),
  ('Eisagogi', 'Εισαγωγή', 'Insert'),
  ('Ektyposi', 'Εκτύπωση', 'Print'),
  ('Epistrofi', 'Επιστροφή', 'Back'),
  ('Exodos', 'Έξοδος', 'Exit'),
  ('Kodikos', 'Κωδικός', 'Code'),
  ('Metavoli', 'Μεταβολή', 'Modify'),
  ('Neo', 'Νέο', 'New'),
  ('Nomisma', 'Νόμισμα', 'Currency'),
  ('Perigrafi', 'Περιγραφή', 'Description'),
  ('Promitheftes', 'Προμηθευτές', 'Suppliers'),
  ('Promitheftis', 'Προμηθευτής', 'Supplier'),
  ('Rafi', 'Ράφι', 'Shelf'),
  ('Rythmiseis', 'Ρυθμίσεις', 'Settings'),
  ('Sxolia', 'Σχόλια', 'Comments'),
  ('Typos', 'Τύπος', 'Type'),
  ('Ylika', 'Υλικά', 'Materials'),
  ('Epivevaiosi exodou', 'Επιβεβαίωση εξόδου', 'Confirm exit'),
  ('Eidos', 'Είδος', 'Kind'),
  ('Profil', 'Προφίλ', 'Profiles'),
  ('Mixanismoi', 'Μηχανισμοί', 'Mechanisms'),
  ('Exartimata', 'Εξαρτήματα', 'Accessories'),
  ('Rolla', 'Ρολά', 'Rolls'),
  ('Pantzouria', 'Παντζούρια', 'Roller shutters'),
  ('Tzamia', 'Τζάμια', 'Glass panes'),
  ('Panel', 'Πάνελ', 'Panels'),
  ('Kounoupieres', 'Κουνουπιέρες', 'Mosquito nets');
-- Language number (integer parameter 11) and printer name (text parameter 1: none chosen).
INSERT INTO pm_integer (ID, timi) VALUES (11, 1);
INSERT INTO pm_keimeno250 (ID, timi) VALUES (1, '');
