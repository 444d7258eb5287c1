-- The catalogue: one row for every music file an import run has filed.
-- FileName is the path the file was moved to.
create table MP3Info (
    Track    text,
    Artist   text,
    Album    text,
    FileName text
);
