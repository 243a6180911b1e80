<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Internal Error (ana_c_cpp)</name>
    <message>
        <source>%1Program shutdown: out of memory %2</source>
        <comment>Error code is &quot;ALLOCMEMO&quot;</comment>
        <translation>%1Arrêt du programme : mémoire épuisée %2</translation>
    </message>
    <message>
        <source>%1Internal error in %2</source>
        <comment>Error code is &quot;ERRINTERN&quot;</comment>
        <translation>%1Erreur interne dans %2</translation>
    </message>
    <message>
        <source>%1RIBBON not initialized %2</source>
        <comment>Error code is &quot;INITRUBAN&quot;</comment>
        <translation>%1RUBAN non initialisé %2</translation>
    </message>
    <message>
        <source>%1Freeing memory %2</source>
        <comment>Error code is &quot;LIBERMEMO&quot;</comment>
        <translation>%1Libération de la mémoire %2</translation>
    </message>
    <message>
        <source>%1There are too many macro or include recursions %2</source>
        <comment>Error code is &quot;NBRECURSI&quot;</comment>
        <translation>%1Trop de récursions de macros ou d&apos;inclusions %2</translation>
    </message>
</context>
<context>
    <name>Fatal Error (ana_c_cpp)</name>
    <message>
        <source>%1Acces error to file: %2</source>
        <comment>Error code is &quot;ERRERRNO&quot;</comment>
        <translation>%1Erreur d&apos;accès au fichier : %2</translation>
    </message>
</context>
<context>
    <name>Error (ana_c_cpp)</name>
    <message>
        <source>%1Uncompleted value list%2</source>
        <comment>Error code is &quot;ELEMENTLS&quot;</comment>
        <translation>%1Liste de valeurs incomplète%2</translation>
    </message>
    <message>
        <source>%1User error: %2</source>
        <comment>Error code is &quot;ERRUTILIS&quot;</comment>
        <translation>%1Erreur de l&apos;utilisateur : %2</translation>
    </message>
    <message>
        <source>%1Bad INIT or VA value list: %2</source>
        <comment>Error code is &quot;LISTEINVA&quot;</comment>
        <translation>%1Liste de valeurs INIT ou VA erronée : %2</translation>
    </message>
    <message>
        <source>%1Too many INIT or VA values: %2</source>
        <comment>Error code is &quot;NBVALINCO&quot;</comment>
        <translation>%1Trop de valeurs INIT ou VA : %2</translation>
    </message>
    <message>
        <source>%1Imbricated procedures not allowed in C language %2</source>
        <comment>Error code is &quot;PROCIMBRI&quot;</comment>
        <translation>%1Procédures imbriquées interdites en langage C %2</translation>
    </message>
    <message>
        <source>%1Unexpected end of file or incomplete line: %2</source>
        <comment>Error code is &quot;UNEXP_EOF&quot;</comment>
        <translation>%1Fin de fichier inattendue ou ligne incomplète : %2</translation>
    </message>
</context>
<context>
    <name>Warning (ana_c_cpp)</name>
    <message>
        <source>%1Assignment not allowed in Unit Testing expressions %2</source>
        <comment>Error code is &quot;AFFECTATI&quot;</comment>
        <translation>%1Affectation interdite dans les expressions de test unitaire %2</translation>
    </message>
    <message>
        <source>%1%2 argument starts with punctuation</source>
        <comment>Error code is &quot;ARGPUNCTU&quot;</comment>
        <translation>%1L&apos;argument %2 commence par un signe de ponctuation</translation>
    </message>
    <message>
        <source>%1Unexpected argument for macro %2</source>
        <comment>Error code is &quot;ARGTOMACR&quot;</comment>
        <translation>%1Argument inattendu pour la macro %2</translation>
    </message>
    <message>
        <source>%1Bad parameter list in `#define&apos; directive: %2</source>
        <comment>Error code is &quot;BADPARDEF&quot;</comment>
        <translation>%1Liste de paramètres erronée dans la directive `#define&apos; : %2</translation>
    </message>
    <message>
        <source>%1Two identical characters (f or l) in floating constant %2</source>
        <comment>Error code is &quot;CARDOUFLO&quot;</comment>
        <translation>%1Deux caractères identiques (f ou l) dans la constante flottante %2</translation>
    </message>
    <message>
        <source>%1Two identical characters (f or l) in integer constant %2</source>
        <comment>Error code is &quot;CARDOUINT&quot;</comment>
        <translation>%1Deux caractères identiques (f ou l) dans la constante entière %2</translation>
    </message>
    <message>
        <source>%1Nondigits in  number and not hexadecimal %2</source>
        <comment>Error code is &quot;CARNONNUM&quot;</comment>
        <translation>%1Caractères non numériques dans un nombre non hexadécimal %2</translation>
    </message>
    <message>
        <source>%1Numeric constant constains digits beyond the radix: %2</source>
        <comment>Error code is &quot;CARNUMERI&quot;</comment>
        <translation>%1La constante numérique contient des chiffres hors de la base : %2</translation>
    </message>
    <message>
        <source>%1Three `l&apos; characters in integer constant %2</source>
        <comment>Error code is &quot;CARTRIINT&quot;</comment>
        <translation>%1Trois caractères `l&apos; dans la constante entière %2</translation>
    </message>
    <message>
        <source>%1Stray character %2 in program</source>
        <comment>Error code is &quot;CHAINUTIL&quot;</comment>
        <translation>%1Caractère %2 parasite dans le programme</translation>
    </message>
    <message>
        <source>%1 %2 field can not be tested</source>
        <comment>Error code is &quot;CHANOTEST&quot;</comment>
        <translation>%1Le champ %2 ne peut pas être testé</translation>
    </message>
    <message>
        <source>%1Unknown field %2</source>
        <comment>Error code is &quot;CHAMPINCO&quot;</comment>
        <translation>%1Champ inconnu %2</translation>
    </message>
    <message>
        <source>%1Unknown constructor %2</source>
        <comment>Error code is &quot;CONSTRINC&quot;</comment>
        <translation>%1Constructeur inconnu %2</translation>
    </message>
    <message>
        <source>%1Bad construction %2</source>
        <comment>Error code is &quot;CONSTRUCT&quot;</comment>
        <translation>%1Construction erronée %2</translation>
    </message>
    <message>
        <source>%1Constant may not be in radix 16 %2</source>
        <comment>Error code is &quot;CSTBASE16&quot;</comment>
        <translation>%1La constante ne peut pas être en base 16 %2</translation>
    </message>
    <message>
        <source>%1Empty character constant %2</source>
        <comment>Error code is &quot;CSTCARVID&quot;</comment>
        <translation>%1Constante caractère vide %2</translation>
    </message>
    <message>
        <source>%1Malformed constant %2</source>
        <comment>Error code is &quot;CSTINCORR&quot;</comment>
        <translation>%1Constante mal formée %2</translation>
    </message>
    <message>
        <source>%1Numeric constant with no digits %2</source>
        <comment>Error code is &quot;CSTNUMERI&quot;</comment>
        <translation>%1Constante numérique sans chiffre %2</translation>
    </message>
    <message>
        <source>%1Invalid `#line&apos; line: %2</source>
        <comment>Error code is &quot;DIESELINE&quot;</comment>
        <translation>%1Ligne `#line&apos; invalide : %2</translation>
    </message>
    <message>
        <source>%1Division by zero in %2</source>
        <comment>Error code is &quot;DIVISZERO&quot;</comment>
        <translation>%1Division par zéro dans %2</translation>
    </message>
    <message>
        <source>%1 %2 after else</source>
        <comment>Error code is &quot;ELIFAELSE&quot;</comment>
        <translation>%1 %2 après else</translation>
    </message>
    <message>
        <source>%1Empty %2 expression</source>
        <comment>Error code is &quot;EMPTYEXPR&quot;</comment>
        <translation>%1Expression %2 vide</translation>
    </message>
    <message>
        <source>%1Integer constant %2 out of range</source>
        <comment>Error code is &quot;ENTOUTRAN&quot;</comment>
        <translation>%1Constante entière %2 hors limites</translation>
    </message>
    <message>
        <source>%1The `defined&apos; directive  must be followed by ident or (ident)  %2</source>
        <comment>Error code is &quot;ERDEFINED&quot;</comment>
        <translation>%1La directive `defined&apos; doit être suivie d&apos;un identificateur ou de (identificateur)  %2</translation>
    </message>
    <message>
        <source>%1#include expects a filename: %2</source>
        <comment>Error code is &quot;ERINCLUDE&quot;</comment>
        <translation>%1#include attend un nom de fichier : %2</translation>
    </message>
    <message>
        <source>%1Error after end of expression: %2</source>
        <comment>Error code is &quot;ERRAFTEND&quot;</comment>
        <translation>%1Erreur après la fin de l&apos;expression : %2</translation>
    </message>
    <message>
        <source>%1Floating constant exponent has no digits %2</source>
        <comment>Error code is &quot;ERREXPOSA&quot;</comment>
        <translation>%1L&apos;exposant de la constante flottante n&apos;a pas de chiffre %2</translation>
    </message>
    <message>
        <source>%1Error in line: %2</source>
        <comment>Error code is &quot;ERRINLINE&quot;</comment>
        <translation>%1Erreur dans la ligne : %2</translation>
    </message>
    <message>
        <source>%1Bad expression: %2</source>
        <comment>Error code is &quot;EXPERRONE&quot;</comment>
        <translation>%1Expression erronée : %2</translation>
    </message>
    <message>
        <source>%1Preprocessor error: not in any file %2</source>
        <comment>Error code is &quot;FICINCONN&quot;</comment>
        <translation>%1Erreur du préprocesseur : hors de tout fichier %2</translation>
    </message>
    <message>
        <source>%1Incorrect function definition: %2</source>
        <comment>Error code is &quot;FUNCT_DEF&quot;</comment>
        <translation>%1Définition de fonction incorrecte : %2</translation>
    </message>
    <message>
        <source>%1Warning: %2 redefined</source>
        <comment>Error code is &quot;IDENREDEF&quot;</comment>
        <translation>%1Attention : %2 redéfini</translation>
    </message>
    <message>
        <source>%1Unknown ident %2</source>
        <comment>Error code is &quot;IDENTIINC&quot;</comment>
        <translation>%1Identificateur inconnu %2</translation>
    </message>
    <message>
        <source>%1Not implemented %2 type image</source>
        <comment>Error code is &quot;IMPIMATYP&quot;</comment>
        <translation>%1Image du type %2 non implémentée</translation>
    </message>
    <message>
        <source>%1Incorrect pointer member: %2</source>
        <comment>Error code is &quot;INCPOIMEM&quot;</comment>
        <translation>%1Membre pointeur incorrect : %2</translation>
    </message>
    <message>
        <source>%1Incorrect parameters number in template declaration: %2</source>
        <comment>Error code is &quot;INCTEMDEC&quot;</comment>
        <translation>%1Nombre de paramètres incorrect dans la déclaration de modèle : %2</translation>
    </message>
    <message>
        <source>%1The index(s) in expression %2 is (are) out of range</source>
        <comment>Error code is &quot;INDICEINC&quot;</comment>
        <translation>%1Le ou les indices de l&apos;expression %2 sont hors limites</translation>
    </message>
    <message>
        <source>%1The %2 array element has been initialized several times</source>
        <comment>Error code is &quot;INDICEVAL&quot;</comment>
        <translation>%1L&apos;élément de tableau %2 a été initialisé plusieurs fois</translation>
    </message>
    <message>
        <source>%1Bad end of line after %2 argument</source>
        <comment>Error code is &quot;INVALIEND&quot;</comment>
        <translation>%1Fin de ligne erronée après l&apos;argument %2</translation>
    </message>
    <message>
        <source>%1invalid macro name %2</source>
        <comment>Error code is &quot;INVAMACRO&quot;</comment>
        <translation>%1Nom de macro invalide %2</translation>
    </message>
    <message>
        <source>%1Invalid member selection of a non structure or union %2</source>
        <comment>Error code is &quot;INVCHASTR&quot;</comment>
        <translation>%1Sélection de membre invalide sur ce qui n&apos;est ni une structure ni une union %2</translation>
    </message>
    <message>
        <source>%1Malformatted character constant: %2</source>
        <comment>Error code is &quot;INVCSTCAR&quot;</comment>
        <translation>%1Constante caractère mal formée : %2</translation>
    </message>
    <message>
        <source>%1Impossible defining `defined&apos; as a macro %2</source>
        <comment>Error code is &quot;INVDEFINE&quot;</comment>
        <translation>%1Impossible de définir `defined&apos; comme macro %2</translation>
    </message>
    <message>
        <source>%1Invalid end of number: %2</source>
        <comment>Error code is &quot;INVFINNUM&quot;</comment>
        <translation>%1Fin de nombre invalide : %2</translation>
    </message>
    <message>
        <source>%1Preprocessor error: invalid special hash type %2</source>
        <comment>Error code is &quot;INVHASTYP&quot;</comment>
        <translation>%1Erreur du préprocesseur : type de hachage spécial invalide %2</translation>
    </message>
    <message>
        <source>%1ANSI C forbids long lomg integer constants %2</source>
        <comment>Error code is &quot;LONLONINT&quot;</comment>
        <translation>%1Le C ANSI interdit les constantes entières long long %2</translation>
    </message>
    <message>
        <source>%1Malformed option %2</source>
        <comment>Error code is &quot;MALFOROPT&quot;</comment>
        <translation>%1Option mal formée %2</translation>
    </message>
    <message>
        <source>%1Incorrect access modifier: unknown inherited member %2 </source>
        <comment>Error code is &quot;MODACCINC&quot;</comment>
        <translation>%1Modificateur d&apos;accès incorrect : membre hérité inconnu %2 </translation>
    </message>
    <message>
        <source>%1Multi-character character constant %2</source>
        <comment>Error code is &quot;MULCARCST&quot;</comment>
        <translation>%1Constante caractère de plusieurs caractères %2</translation>
    </message>
    <message>
        <source>%1Type modifier %2 already defined.</source>
        <comment>Error code is &quot;MODIFDEFI&quot;</comment>
        <translation>%1Modificateur de type %2 déjà défini.</translation>
    </message>
    <message>
        <source>%1Bad number of arg(s) to macro %2</source>
        <comment>Error code is &quot;NBARGMACR&quot;</comment>
        <translation>%1Nombre d&apos;arguments erroné pour la macro %2</translation>
    </message>
    <message>
        <source>%1Text following %2 is not ANSI standard</source>
        <comment>Error code is &quot;NOANSISTD&quot;</comment>
        <translation>%1Le texte qui suit %2 n&apos;est pas conforme à la norme ANSI</translation>
    </message>
    <message>
        <source>%1%2 with no argument</source>
        <comment>Error code is &quot;NOARGUMEN&quot;</comment>
        <translation>%1%2 sans argument</translation>
    </message>
    <message>
        <source>%1No argument passed to macro %2</source>
        <comment>Error code is &quot;NOARTOMAC&quot;</comment>
        <translation>%1Aucun argument passé à la macro %2</translation>
    </message>
    <message>
        <source>%1%2 directive not within conditional</source>
        <comment>Error code is &quot;NOCONDITI&quot;</comment>
        <translation>%1Directive %2 hors d&apos;une compilation conditionnelle</translation>
    </message>
    <message>
        <source>%1Octal or hex character constant does not fit in a byte %2</source>
        <comment>Error code is &quot;NOFITBYTE&quot;</comment>
        <translation>%1La constante caractère octale ou hexadécimale ne tient pas dans un octet %2</translation>
    </message>
    <message>
        <source>%1\x used with no following hex digits %2</source>
        <comment>Error code is &quot;NOHEXDIGI&quot;</comment>
        <translation>%1\x employé sans chiffre hexadécimal à la suite %2</translation>
    </message>
    <message>
        <source>%1Unknown parameter name %2</source>
        <comment>Error code is &quot;PARAMINCO&quot;</comment>
        <translation>%1Nom de paramètre inconnu %2</translation>
    </message>
    <message>
        <source>%1%2 is not a function</source>
        <comment>Error code is &quot;NONFONCTI&quot;</comment>
        <translation>%1%2 n&apos;est pas une fonction</translation>
    </message>
    <message>
        <source>%1%2 is not a pointeur</source>
        <comment>Error code is &quot;NONPOINTE&quot;</comment>
        <translation>%1%2 n&apos;est pas un pointeur</translation>
    </message>
    <message>
        <source>%1%2 is not an array</source>
        <comment>Error code is &quot;NONTABLEA&quot;</comment>
        <translation>%1%2 n&apos;est pas un tableau</translation>
    </message>
    <message>
        <source>%1Not pointed structure or union %2</source>
        <comment>Error code is &quot;NOPOSTRUC&quot;</comment>
        <translation>%1Structure ou union non pointée %2</translation>
    </message>
    <message>
        <source>%1Incorrect field number %2 for the current structure</source>
        <comment>Error code is &quot;NUMCHAINC&quot;</comment>
        <translation>%1Numéro de champ %2 incorrect pour la structure courante</translation>
    </message>
    <message>
        <source>%1Array values omission not allowed: %2. Use &apos;others&apos;</source>
        <comment>Error code is &quot;OMIVALTAB&quot;</comment>
        <translation>%1Omission de valeurs de tableau interdite : %2. Utilisez &apos;others&apos;</translation>
    </message>
    <message>
        <source>%1%2 operation only allowed on numeric types (integer or real)</source>
        <comment>Error code is &quot;OPERARITH&quot;</comment>
        <translation>%1Opération %2 autorisée uniquement sur les types numériques (entier ou réel)</translation>
    </message>
    <message>
        <source>%1%2 operation only allowed on integer types</source>
        <comment>Error code is &quot;OPERENTIE&quot;</comment>
        <translation>%1Opération %2 autorisée uniquement sur les types entiers</translation>
    </message>
    <message>
        <source>%1`#&apos; operator should be followed by a macro argument name: %2</source>
        <comment>Error code is &quot;OPERMACRO&quot;</comment>
        <translation>%1L&apos;opérateur `#&apos; doit être suivi d&apos;un nom d&apos;argument de macro : %2</translation>
    </message>
    <message>
        <source>%1%2 operation only allowed on scalar types (integer, real, enum, pointer)</source>
        <comment>Error code is &quot;OPERSCALA&quot;</comment>
        <translation>%1Opération %2 autorisée uniquement sur les types scalaires (entier, réel, énuméré, pointeur)</translation>
    </message>
    <message>
        <source>%1Parameter name n `#define&apos; starts with a digit: %2</source>
        <comment>Error code is &quot;PARASTART&quot;</comment>
        <translation>%1Un nom de paramètre de `#define&apos; commence par un chiffre : %2</translation>
    </message>
    <message>
        <source>%1Pointed structure or union %2</source>
        <comment>Error code is &quot;POINSTRUC&quot;</comment>
        <translation>%1Structure ou union pointée %2</translation>
    </message>
    <message>
        <source>%1Post-incrementation not allowed in Unit Testing expressions %2</source>
        <comment>Error code is &quot;POSTDECRE&quot;</comment>
        <translation>%1Post-décrémentation interdite dans les expressions de test unitaire %2</translation>
    </message>
    <message>
        <source>%1Post-incrementation not allowed in Unit Testing expressions %2</source>
        <comment>Error code is &quot;POSTINCRE&quot;</comment>
        <translation>%1Post-incrémentation interdite dans les expressions de test unitaire %2</translation>
    </message>
    <message>
        <source>%1UnknownUnit Testing pragma: %2 </source>
        <comment>Error code is &quot;PRAGMAINC&quot;</comment>
        <translation>%1Pragma de test unitaire inconnu : %2 </translation>
    </message>
    <message>
        <source>%1Structure or union data type %2 redefined</source>
        <comment>Error code is &quot;REDEFSTRU&quot;</comment>
        <translation>%1Type de structure ou d&apos;union %2 redéfini</translation>
    </message>
    <message>
        <source>%1Symbol %2 redefined</source>
        <comment>Error code is &quot;REDEFSYMB&quot;</comment>
        <translation>%1Symbole %2 redéfini</translation>
    </message>
    <message>
        <source>%1Escape sequence out of range for character %2</source>
        <comment>Error code is &quot;SEQOUTRAN&quot;</comment>
        <translation>%1Séquence d&apos;échappement hors limites pour le caractère %2</translation>
    </message>
    <message>
        <source>%1Unknown escape sequence %2</source>
        <comment>Error code is &quot;SEQUEINCO&quot;</comment>
        <translation>%1Séquence d&apos;échappement inconnue %2</translation>
    </message>
    <message>
        <source>%1&quot;exp1, exp2, ..&quot; expressions not allowed in Unit Testing expressions %2</source>
        <comment>Error code is &quot;SOUSEXPRE&quot;</comment>
        <translation>%1Expressions &quot;exp1, exp2, ..&quot; interdites dans les expressions de test unitaire %2</translation>
    </message>
    <message>
        <source>%1%2 argument starts with a digit</source>
        <comment>Error code is &quot;STARTDIGI&quot;</comment>
        <translation>%1L&apos;argument %2 commence par un chiffre</translation>
    </message>
    <message>
        <source>%1Syntax error: %2</source>
        <comment>Error code is &quot;SYNTAXERR&quot;</comment>
        <translation>%1Erreur de syntaxe : %2</translation>
    </message>
    <message>
        <source>%1The expression %2 is incorrect for the arrays</source>
        <comment>Error code is &quot;TABEXPINC&quot;</comment>
        <translation>%1L&apos;expression %2 est incorrecte pour les tableaux</translation>
    </message>
    <message>
        <source>%1Unkown %2 array size</source>
        <comment>Error code is &quot;TAITABINC&quot;</comment>
        <translation>%1Taille du tableau %2 inconnue</translation>
    </message>
    <message>
        <source>Incorrect template instantiation: %1</source>
        <comment>Error code is &quot;TEMINSINC&quot;</comment>
        <translation>Instanciation de modèle incorrecte : %1</translation>
    </message>
    <message>
        <source>%1Incorrect template declaration: %2</source>
        <comment>Error code is &quot;TEMPLADEC&quot;</comment>
        <translation>%1Déclaration de modèle incorrecte : %2</translation>
    </message>
    <message>
        <source>%1Too long character constant %2</source>
        <comment>Error code is &quot;TOLOCSTCA&quot;</comment>
        <translation>%1Constante caractère trop longue %2</translation>
    </message>
    <message>
        <source>%1Too many args to macro %2</source>
        <comment>Error code is &quot;TOMANYARG&quot;</comment>
        <translation>%1Trop d&apos;arguments pour la macro %2</translation>
    </message>
    <message>
        <source>%1Incorrect %2 field structure type</source>
        <comment>Error code is &quot;TYPCHAINC&quot;</comment>
        <translation>%1Type de structure incorrect pour le champ %2</translation>
    </message>
    <message>
        <source>%1Only typedef %2</source>
        <comment>Error code is &quot;TYPDEFSEU&quot;</comment>
        <translation>%1typedef %2 seul</translation>
    </message>
    <message>
        <source>%1Unknown type: all of the elements of a list must have the same type: %2</source>
        <comment>Error code is &quot;TYPELISTE&quot;</comment>
        <translation>%1Type inconnu : tous les éléments d&apos;une liste doivent être du même type : %2</translation>
    </message>
    <message>
        <source>%1Different types in list %2</source>
        <comment>Error code is &quot;TYPESDIFF&quot;</comment>
        <translation>%1Types différents dans la liste %2</translation>
    </message>
    <message>
        <source>%1Incorrect type modifier %2</source>
        <comment>Error code is &quot;TYPMODINC&quot;</comment>
        <translation>%1Modificateur de type incorrect %2</translation>
    </message>
    <message>
        <source>%1unbalanced endif %2</source>
        <comment>Error code is &quot;UNBAENDIF&quot;</comment>
        <translation>%1endif non apparié %2</translation>
    </message>
    <message>
        <source>%1Undefining %2</source>
        <comment>Error code is &quot;UNDEFININ&quot;</comment>
        <translation>%1Suppression de la définition de %2</translation>
    </message>
    <message>
        <source>%1Unknown directive %2</source>
        <comment>Error code is &quot;UNKNODIR&quot;</comment>
        <translation>%1Directive inconnue %2</translation>
    </message>
    <message>
        <source>%1unterminated comment %2</source>
        <comment>Error code is &quot;UNTERCOMM&quot;</comment>
        <translation>%1Commentaire non terminé %2</translation>
    </message>
    <message>
        <source>%1unterminated #%2 conditional</source>
        <comment>Error code is &quot;UNTERCOND&quot;</comment>
        <translation>%1Compilation conditionnelle #%2 non terminée</translation>
    </message>
    <message>
        <source>%1A string or character constant unterminated %2</source>
        <comment>Error code is &quot;UNTERSTRI&quot;</comment>
        <translation>%1Chaîne ou constante caractère non terminée %2</translation>
    </message>
    <message>
        <source>%1Unterminated parameter list in `#define&apos; directive: %2</source>
        <comment>Error code is &quot;UNTPARDEF&quot;</comment>
        <translation>%1Liste de paramètres non terminée dans la directive `#define&apos; : %2</translation>
    </message>
</context>
<context>
    <name>Information (ana_c_cpp)</name>
    <message>
        <source>%1Matches line %2</source>
        <comment>Error code is &quot;MATCHLINE&quot;</comment>
        <translation>%1Correspond à la ligne %2</translation>
    </message>
    <message>
        <source>%1Use of Microsoft Multibyte character form %2</source>
        <comment>Error code is &quot;MULTIBYTE&quot;</comment>
        <translation>%1Utilisation de la forme de caractère multioctet Microsoft %2</translation>
    </message>
</context>
</TS>
