"""Writers for the sample folder: every format is produced here from code, so
the folder is the same byte for byte on every machine and every run."""
