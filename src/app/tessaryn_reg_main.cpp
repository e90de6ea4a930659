// Placeholder until the registry tool lands.
int main() { return 1; }
