/* Only a program to link the cores into: see CMakeLists.txt. */
int main(void) { return 0; }
