/* The floor of any run: a static program that starts and ends. */
int main(void) { return 0; }
