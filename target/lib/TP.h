// Quartolab target package: the runtime that generated harnesses compile
// against. (The runtime proper arrives with the harness generator.)
#ifndef ZENTA_TP_H
#define ZENTA_TP_H
#endif
