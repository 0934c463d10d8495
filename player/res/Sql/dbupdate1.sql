-- Schema version 1: the tables of the player's local database.
-- Numbers that are compared or sorted are INTEGER columns.

-- Large pages: saving the play list rewrites the whole table, and every page written
-- costs a journal record. Takes effect on a database that has no tables yet.
PRAGMA page_size = 16384;

BEGIN TRANSACTION;

CREATE TABLE IF NOT EXISTS AllConfig(
    WindowShowType INTEGER,
    WindowLeft INTEGER,
    WindowTop INTEGER,
    WindowRight INTEGER,
    WindowBottom INTEGER,
    MaximizeWindow INTEGER,
    AutoLogin INTEGER);

CREATE TABLE IF NOT EXISTS User(
    Username TEXT PRIMARY KEY,
    Nickname TEXT,
    Password TEXT,
    RemindPwd TEXT,
    IsLast INTEGER,
    VerifyCode TEXT);

CREATE TABLE IF NOT EXISTS UserConfig(
    UserName TEXT PRIMARY KEY,
    DownloadPath TEXT,
    DownloadNum INTEGER,
    AutoDownload INTEGER,
    RelinkTimes INTEGER,
    Mute INTEGER,
    Volume INTEGER,
    PlayOrder INTEGER,
    AutoAdd2PlayList INTEGER);

CREATE TABLE IF NOT EXISTS DownloadRecord(
    UserName TEXT,
    FileID TEXT,
    FilePath TEXT,
    FileSize INTEGER,
    DownSize INTEGER,
    DownloadUrl TEXT,
    Sequence INTEGER,
    AlbumName TEXT,
    SectionName TEXT,
    PRIMARY KEY(UserName, FileID));

CREATE TABLE IF NOT EXISTS UserPlayRecord(
    FilePath TEXT,
    AddTime INTEGER,
    PlayTime INTEGER,
    Consuming INTEGER,
    Sequence INTEGER);

CREATE TABLE IF NOT EXISTS DBVersion(Version INTEGER);
DELETE FROM DBVersion;
INSERT INTO DBVersion(Version) VALUES(1);

COMMIT TRANSACTION;
