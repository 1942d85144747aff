namespace comclient { int Bench() { return 0; } }
