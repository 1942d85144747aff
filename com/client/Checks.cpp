namespace comclient { int Checks() { return 0; } int Clean() { return 0; } }
