// args: -trigraphs
/* Trigraphs; a ??/ at the end of a line joins the next one. */
#define ABCDE 5
ABC??/
DE
"str??/
ing"
??=define T ??( 1 ??)
T
