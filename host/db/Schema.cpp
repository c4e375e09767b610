#include "host/db/Schema.h"

#include <cctype>
#include <string>

namespace {

constexpr const char* kSchemaSql = R"SQL(
CREATE TABLE vx_schema (version INTEGER NOT NULL);

-- Parameter pool: settings records by number key and owner key.
CREATE TABLE parpool (
  nr     TEXT NOT NULL,
  owner  TEXT NOT NULL,
  wert   TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (nr, owner)
);

-- Practice owners (Mandanten).
CREATE TABLE mandant (
  md_id  TEXT PRIMARY KEY,
  name   TEXT NOT NULL DEFAULT ''
);

-- Service providers: lab technicians (art 'T') and treating dentists (art 'Z').
CREATE TABLE leb (
  leb_id      TEXT PRIMARY KEY,
  art         TEXT NOT NULL DEFAULT 'T',
  name        TEXT NOT NULL DEFAULT '',
  vorname     TEXT NOT NULL DEFAULT '',
  md_id       TEXT NOT NULL DEFAULT '',
  gueltig_ab  TEXT NOT NULL DEFAULT '',
  gueltig_bis TEXT NOT NULL DEFAULT ''
);

CREATE TABLE pat (
  pat_nr     TEXT PRIMARY KEY,
  name       TEXT NOT NULL DEFAULT '',
  vorname    TEXT NOT NULL DEFAULT '',
  geb_datum  TEXT NOT NULL DEFAULT '',
  md_id      TEXT NOT NULL DEFAULT '',
  za_leb_id  TEXT NOT NULL DEFAULT ''   -- the patient's dentist
);

-- Treatment plans; plan_art is the one-character plan kind.
CREATE TABLE plan (
  pat_nr     TEXT NOT NULL,
  plan_nr    TEXT NOT NULL,
  plan_art   TEXT NOT NULL DEFAULT '',
  datum      TEXT NOT NULL DEFAULT '',
  md_id      TEXT NOT NULL DEFAULT '',
  za_leb_id  TEXT NOT NULL DEFAULT '',  -- the plan's treating dentist
  PRIMARY KEY (pat_nr, plan_nr)
);

-- Insurance of a patient from a date on, and the insurance funds.
CREATE TABLE vdesc (
  pat_nr      TEXT NOT NULL,
  gueltig_ab  TEXT NOT NULL,
  kassen_nr   TEXT NOT NULL DEFAULT '',
  vers_art    TEXT NOT NULL DEFAULT '',   -- 'G' statutory, 'P' private
  PRIMARY KEY (pat_nr, gueltig_ab)
);
CREATE TABLE vxkas (
  kassen_nr   TEXT NOT NULL,
  gueltig_ab  TEXT NOT NULL,
  name        TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (kassen_nr, gueltig_ab)
);

-- Entries of a lab block (lab order) with a percentage share ("P050") of an amount
-- stored in the amount text form ("e      1234"). They are only ever looked up by
-- their whole key, once per treatment hit, so the table is stored in key order.
CREATE TABLE lblock_entry (
  pat_nr    TEXT NOT NULL,
  plan_nr   TEXT NOT NULL,
  lblock_nr TEXT NOT NULL,
  entry_nr  TEXT NOT NULL,
  anteil    TEXT NOT NULL DEFAULT '',
  betrag    TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (pat_nr, plan_nr, lblock_nr, entry_nr)
) WITHOUT ROWID;

-- Lab invoices. art: 'R' regular, 'M' manual (fictive). The ten amounts are the two
-- groups of five (technical services, material 1, metal, material 2, VAT).
CREATE TABLE fakt (
  fakt_key      TEXT PRIMARY KEY,
  md_id         TEXT NOT NULL DEFAULT '',
  pat_nr        TEXT NOT NULL DEFAULT '',
  plan_nr       TEXT NOT NULL DEFAULT '',
  lblock_nr     TEXT NOT NULL DEFAULT '',
  art           TEXT NOT NULL DEFAULT 'R',
  datum         TEXT NOT NULL DEFAULT '',   -- invoice date
  druck_datum   TEXT NOT NULL DEFAULT '',   -- print date
  prefix        TEXT NOT NULL DEFAULT '',
  jahr          TEXT NOT NULL DEFAULT '',
  lfd_nr        TEXT NOT NULL DEFAULT '',   -- running number within the year
  pat_rech_nr   TEXT NOT NULL DEFAULT '',   -- patient-related number
  storno_datum  TEXT NOT NULL DEFAULT '',
  bezahlt_datum TEXT NOT NULL DEFAULT '',
  techniker_id  TEXT NOT NULL DEFAULT '',
  mwst_satz     INTEGER NOT NULL DEFAULT 0,
  waehrung      TEXT NOT NULL DEFAULT 'e',
  a1_cent INTEGER NOT NULL DEFAULT 0, a2_cent INTEGER NOT NULL DEFAULT 0,
  a3_cent INTEGER NOT NULL DEFAULT 0, a4_cent INTEGER NOT NULL DEFAULT 0,
  a5_cent INTEGER NOT NULL DEFAULT 0,
  b1_cent INTEGER NOT NULL DEFAULT 0, b2_cent INTEGER NOT NULL DEFAULT 0,
  b3_cent INTEGER NOT NULL DEFAULT 0, b4_cent INTEGER NOT NULL DEFAULT 0,
  b5_cent INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX fakt_datum ON fakt (datum);
CREATE INDEX fakt_druck_datum ON fakt (druck_datum);
CREATE INDEX fakt_storno_datum ON fakt (storno_datum);
CREATE INDEX fakt_bezahlt_datum ON fakt (bezahlt_datum);
CREATE INDEX fakt_pat ON fakt (pat_nr, plan_nr);

-- Bills of the practice: status character, billed flag, liquidation number.
CREATE TABLE bill (
  pat_nr       TEXT NOT NULL,
  bill_key     TEXT NOT NULL,
  status       TEXT NOT NULL DEFAULT '',
  abgerechnet  INTEGER NOT NULL DEFAULT 0,
  liq_nr       TEXT NOT NULL DEFAULT '',
  datum        TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (pat_nr, bill_key)
);

-- Treatment records. art: amount kind '1'..'9'; sub_art: its sub-kind; flag1: the
-- plan kind; flag2: a second flag ('1' set). A record with lab amounts carries
-- fakt_key (its lab invoice) and lblock_nr.
CREATE TABLE beh (
  beh_id          INTEGER PRIMARY KEY,
  md_id           TEXT NOT NULL DEFAULT '',
  pat_nr          TEXT NOT NULL,
  plan_nr         TEXT NOT NULL DEFAULT '',
  datum           TEXT NOT NULL DEFAULT '',
  art             TEXT NOT NULL DEFAULT '',
  sub_art         TEXT NOT NULL DEFAULT '',
  text            TEXT NOT NULL DEFAULT '',
  betrag_cent     INTEGER NOT NULL DEFAULT 0,
  waehrung        TEXT NOT NULL DEFAULT 'e',
  mwst_satz       INTEGER NOT NULL DEFAULT 0,
  fakt_key        TEXT NOT NULL DEFAULT '',
  flag1           TEXT NOT NULL DEFAULT '',
  flag2           TEXT NOT NULL DEFAULT '',
  liq_nr1         TEXT NOT NULL DEFAULT '',
  liq_nr2         TEXT NOT NULL DEFAULT '',
  lblock_nr       TEXT NOT NULL DEFAULT '',
  lblock_entry_nr TEXT NOT NULL DEFAULT '',
  bill_key        TEXT NOT NULL DEFAULT '',
  techniker_id    TEXT NOT NULL DEFAULT ''
);
CREATE INDEX beh_pat_plan ON beh (pat_nr, plan_nr, datum);
CREATE INDEX beh_datum ON beh (datum);
CREATE INDEX beh_fakt ON beh (fakt_key);

-- Commercial lab: customers, addresses, customer invoices, invoice blocs and their
-- entries. Amount lists are fixed-width digit fields (see the commercial-lab records).
CREATE TABLE adr (
  adr_id   TEXT PRIMARY KEY,
  name1    TEXT NOT NULL DEFAULT '',
  name2    TEXT NOT NULL DEFAULT '',
  name3    TEXT NOT NULL DEFAULT '',
  name4    TEXT NOT NULL DEFAULT '',
  strasse  TEXT NOT NULL DEFAULT '',
  plz      TEXT NOT NULL DEFAULT '',
  ort      TEXT NOT NULL DEFAULT ''
);
CREATE TABLE glku (
  ku_nr   TEXT PRIMARY KEY,
  name    TEXT NOT NULL DEFAULT '',
  adr_id  TEXT NOT NULL DEFAULT ''
);
CREATE TABLE glkufakt (
  ku_nr     TEXT NOT NULL,
  rech_nr   TEXT NOT NULL,
  info1     TEXT NOT NULL DEFAULT '',
  datum     TEXT NOT NULL DEFAULT '',
  info2     TEXT NOT NULL DEFAULT '',
  info3     TEXT NOT NULL DEFAULT '',
  anz_rech  TEXT NOT NULL DEFAULT '',
  info4     TEXT NOT NULL DEFAULT '',
  info5     TEXT NOT NULL DEFAULT '',
  storno    TEXT NOT NULL DEFAULT '0',
  betraege  TEXT NOT NULL DEFAULT '',
  mwst      TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (ku_nr, rech_nr)
);
CREATE INDEX glkufakt_datum ON glkufakt (datum);
CREATE TABLE glbloc (
  nr        TEXT NOT NULL,
  rech_nr   TEXT NOT NULL,
  status    TEXT NOT NULL DEFAULT '',
  ku_nr     TEXT NOT NULL DEFAULT '',
  kufakt_nr TEXT NOT NULL DEFAULT '',
  datum     TEXT NOT NULL DEFAULT '',
  texte     TEXT NOT NULL DEFAULT '',  -- further texts, separated by tabs
  betraege  TEXT NOT NULL DEFAULT '',
  mwst      TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (nr, rech_nr)
);
CREATE INDEX glbloc_kufakt ON glbloc (ku_nr, kufakt_nr);
CREATE TABLE glbloc_entry (
  nr        TEXT NOT NULL,
  rech_nr   TEXT NOT NULL,
  pos       TEXT NOT NULL,
  mwst_code TEXT NOT NULL DEFAULT '0',  -- '0' free, '7' reduced, 'g' general rate
  preis     TEXT NOT NULL DEFAULT '',
  menge     TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (nr, rech_nr, pos)
);
)SQL";

// Replaces the word strFrom (a whole word, upper case) everywhere in strSql.
void ReplaceWord(std::string& strSql, const std::string& strFrom, const std::string& strTo) {
    const auto isWordChar = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    };
    for (std::size_t pos = strSql.find(strFrom); pos != std::string::npos;
         pos = strSql.find(strFrom, pos)) {
        const std::size_t end = pos + strFrom.size();
        if ((pos > 0 && isWordChar(strSql[pos - 1])) ||
            (end < strSql.size() && isWordChar(strSql[end]))) {
            pos = end;
            continue;
        }
        strSql.replace(pos, strFrom.size(), strTo);
        pos += strTo.size();
    }
}

// The server's integers are as wide as SQLite's, and its texts compare and sort
// byte by byte as in SQLite, whatever collation the server's database has.
std::string SchemaSql(DbDialect eDialect) {
    std::string strSql = kSchemaSql;
    if (eDialect == DbDialect::Sqlite) return strSql;
    ReplaceWord(strSql, "WITHOUT ROWID", "");
    ReplaceWord(strSql, "INTEGER", "BIGINT");
    ReplaceWord(strSql, "TEXT", "TEXT COLLATE \"C\"");
    return strSql;
}

} // namespace

void WriteSchema(IDbConnection& db) {
    db.Execute(SchemaSql(db.Dialect()));
    auto stmt = db.Prepare("INSERT INTO vx_schema (version) VALUES (?)");
    stmt->BindInt(1, kSchemaVersion);
    stmt->Step();
}

void CreateSchema(IDbConnection& db) {
    InTransaction(db, [&] { WriteSchema(db); });
}

int ReadSchemaVersion(IDbConnection& db) {
    try {
        // On the server a failed query would spoil a running transaction.
        if (db.Dialect() == DbDialect::Postgres) {
            auto exists = db.Prepare("SELECT to_regclass('vx_schema') IS NOT NULL");
            if (!exists->Step() || exists->ColumnInt(0) == 0) return 0;
        }
        auto stmt = db.Prepare("SELECT max(version) FROM vx_schema");
        return stmt->Step() ? static_cast<int>(stmt->ColumnInt(0)) : 0;
    } catch (const DbError&) {
        return 0; // no schema table: not one of our databases
    }
}
