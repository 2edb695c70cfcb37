-- Demo currencies; a row with an empty symbol is left out of the editor's list.
INSERT INTO NOMISMATA (ID, Symbolo) VALUES (1, '€'), (2, '$'), (3, ''), (4, '£'), (5, 'CHF');
