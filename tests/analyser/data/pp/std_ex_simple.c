/* Object-like and function-like macros, redefinition with equal text. */
#define TABSIZE 100
int table[TABSIZE];
#define max(a, b) ((a) > (b) ? (a) : (b))
int m = max(table[0], max(1, 2));
#define OBJ_LIKE (1-1)
#define OBJ_LIKE /* white space */ (1-1) /* other */
#define FUNC_LIKE(a) ( a )
#define FUNC_LIKE( a )( /* note the white space */ \
 a /* other stuff on this line
 */ )
int o = OBJ_LIKE + FUNC_LIKE(3);
