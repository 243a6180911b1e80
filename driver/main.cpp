#include "driver/run.h"

int main(int argc, char** argv) { zenta::driver::run(argc, argv); }
