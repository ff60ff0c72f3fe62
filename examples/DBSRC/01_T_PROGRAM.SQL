/* Wersja struktury bazy: aktualizacja czyta t_program.dbver. */
CREATE TABLE T_PROGRAM (
    DBVER INTEGER,
    OPIS VARCHAR(60)
);

INSERT INTO T_PROGRAM (DBVER, OPIS) VALUES (5, 'Baza utworzona przez aktualizacjê');
