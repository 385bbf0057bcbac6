// Ends at once with a code no failed start gives: the build scripts run it to learn
// whether this machine can run 32-bit Windows programs at all.
int main() { return 32; }
