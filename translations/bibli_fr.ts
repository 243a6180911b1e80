<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Internal Errors (bibli)</name>
    <message>
        <source>%1Internal error: wrong expression %2</source>
        <comment>Error code is &quot;ANAEXPERR&quot;</comment>
        <translation>%1Erreur interne : expression erronée %2</translation>
    </message>
    <message>
        <source>%1CASE overflow in the module %2</source>
        <comment>Error code is &quot;DEBORCASE&quot;</comment>
        <translation>%1Débordement de CASE dans le module %2</translation>
    </message>
    <message>
        <source>%1RIBBON overflow %2</source>
        <comment>Error code is &quot;DEBORUBAN&quot;</comment>
        <translation>%1Débordement du RUBAN %2</translation>
    </message>
    <message>
        <source>%1Program shutdown: internal error, contact your software representative %2</source>
        <comment>Error code is &quot;ERRINTERN&quot;</comment>
        <translation>%1Arrêt du programme : erreur interne, contactez votre représentant logiciel %2</translation>
    </message>
    <message>
        <source>%1Internal error in the function %2</source>
        <comment>Error code is &quot;ERRINTFCT&quot;</comment>
        <translation>%1Erreur interne dans la fonction %2</translation>
    </message>
    <message>
        <source>%1Error management module not initialized %2</source>
        <comment>Error code is &quot;ERRNONINI&quot;</comment>
        <translation>%1Module de gestion des erreurs non initialisé %2</translation>
    </message>
    <message>
        <source>%1Impossible to extract line number</source>
        <comment>Error code is &quot;EXTNUMIMP&quot;</comment>
        <translation>%1Impossible d&apos;extraire le numéro de ligne</translation>
    </message>
    <message>
        <source>%1Mismatch between the internal list and the TDC file %2</source>
        <comment>Error code is &quot;INCLISTDC&quot;</comment>
        <translation>%1Incohérence entre la liste interne et le fichier TDC %2</translation>
    </message>
    <message>
        <source>%1Mismatch between files .RIO and .TDC %2</source>
        <comment>Error code is &quot;INCTDCRIO&quot;</comment>
        <translation>%1Incohérence entre les fichiers .RIO et .TDC %2</translation>
    </message>
    <message>
        <source>%1Internal error: lexical analyser not initialized %2</source>
        <comment>Error code is &quot;LEXNOTINI&quot;</comment>
        <translation>%1Erreur interne : analyseur lexical non initialisé %2</translation>
    </message>
    <message>
        <source>%1Too long error message %2</source>
        <comment>Error code is &quot;MESTROLON&quot;</comment>
        <translation>%1Message d&apos;erreur trop long %2</translation>
    </message>
    <message>
        <source>Undefined message for code number %1</source>
        <comment>Error code is &quot;NOMESSDEF&quot;</comment>
        <translation>Message non défini pour le code numéro %1</translation>
    </message>
    <message>
        <source>%1Exclamation mark missing in an error message %2</source>
        <comment>Error code is &quot;PTEXCLABS&quot;</comment>
        <translation>%1Point d&apos;exclamation absent dans un message d&apos;erreur %2</translation>
    </message>
    <message>
        <source>%1Ribbon not initialized %2</source>
        <comment>Error code is &quot;RUBNOTINI&quot;</comment>
        <translation>%1Ruban non initialisé %2</translation>
    </message>
    <message>
        <source>%1Cannot convert string %2 into an integer value</source>
        <comment>Error code is &quot;TRFSTRINT&quot;</comment>
        <translation>%1Impossible de convertir la chaîne %2 en valeur entière</translation>
    </message>
</context>
<context>
    <name>Fatal Errors (bibli)</name>
    <message>
        <source>%1No keyword found %2</source>
        <comment>Error code is &quot;AUCUNMETA&quot;</comment>
        <translation>%1Aucun mot-clé trouvé %2</translation>
    </message>
    <message>
        <source>%1Unknown target %2</source>
        <comment>Error code is &quot;CIBLINCON&quot;</comment>
        <translation>%1Cible inconnue %2</translation>
    </message>
    <message>
        <source>%1Bad command: %2</source>
        <comment>Error code is &quot;CMDERREUR&quot;</comment>
        <translation>%1Commande erronée : %2</translation>
    </message>
    <message>
        <source>%1Wrong command line %2</source>
        <comment>Error code is &quot;CMDFATALE&quot;</comment>
        <translation>%1Ligne de commande incorrecte %2</translation>
    </message>
    <message>
        <source>%1Program shutdown: user fatal error %2</source>
        <comment>Error code is &quot;ERRFATALE&quot;</comment>
        <translation>%1Arrêt du programme : erreur fatale de l&apos;utilisateur %2</translation>
    </message>
    <message>
        <source>%1FATAL SHUTDOWN DURING EXECUTION OF THE TEST HARNESS %2</source>
        <comment>Error code is &quot;EXE_ABORT&quot;</comment>
        <translation>%1ARRÊT FATAL PENDANT L&apos;EXÉCUTION DU PROGRAMME DE TEST %2</translation>
    </message>
    <message>
        <source>%1The file %2 is empty (processing problem)</source>
        <comment>Error code is &quot;FICRIOVID&quot;</comment>
        <translation>%1Le fichier %2 est vide (problème de traitement)</translation>
    </message>
    <message>
        <source>%1Full disk space %2</source>
        <comment>Error code is &quot;IMPECRFIC&quot;</comment>
        <translation>%1Espace disque saturé %2</translation>
    </message>
    <message>
        <source>%1Cannot close the file %2</source>
        <comment>Error code is &quot;IMPFERFIC&quot;</comment>
        <translation>%1Impossible de fermer le fichier %2</translation>
    </message>
    <message>
        <source>%1Cannot open the file %2</source>
        <comment>Error code is &quot;IMPOUVFIC&quot;</comment>
        <translation>%1Impossible d&apos;ouvrir le fichier %2</translation>
    </message>
    <message>
        <source>%1Cannot rewind the file %2</source>
        <comment>Error code is &quot;IMPRESFIC&quot;</comment>
        <translation>%1Impossible de rembobiner le fichier %2</translation>
    </message>
    <message>
        <source>%1Unknown language %2</source>
        <comment>Error code is &quot;LANGINCON&quot;</comment>
        <translation>%1Langage inconnu %2</translation>
    </message>
    <message>
        <source>%1Unknown value %2 for LE qualifier</source>
        <comment>Error code is &quot;LETYINCON&quot;</comment>
        <translation>%1Valeur %2 inconnue pour le qualificatif LE</translation>
    </message>
    <message>
        <source>%1No implemented language %2</source>
        <comment>Error code is &quot;NONIMPLEM&quot;</comment>
        <translation>%1Langage non implémenté %2</translation>
    </message>
    <message>
        <source>%1Missing Qualifier %2</source>
        <comment>Error code is &quot;QUALABSEN&quot;</comment>
        <translation>%1Qualificatif absent %2</translation>
    </message>
    <message>
        <source>%1Unknown value %2 for RA qualifier</source>
        <comment>Error code is &quot;RATYINCON&quot;</comment>
        <translation>%1Valeur %2 inconnue pour le qualificatif RA</translation>
    </message>
    <message>
        <source>%1Mismatch between files .RIO and .RIO2 %2</source>
        <comment>Error code is &quot;RIOCOMPAR&quot;</comment>
        <translation>%1Incohérence entre les fichiers .RIO et .RIO2 %2</translation>
    </message>
    <message>
        <source>%1Unknown value %2 for EV qualifier</source>
        <comment>Error code is &quot;VATYINCON&quot;</comment>
        <translation>%1Valeur %2 inconnue pour le qualificatif VA</translation>
    </message>
    <message>
        <source>%1Unknown symbol %2</source>
        <comment>Error code is &quot;SIGNEINCO&quot;</comment>
        <translation>%1Symbole inconnu %2</translation>
    </message>
    <message>
        <source>%1Syntax error in the file .RIO or .TDC %2</source>
        <comment>Error code is &quot;STXERRRIO&quot;</comment>
        <translation>%1Erreur de syntaxe dans le fichier .RIO ou .TDC %2</translation>
    </message>
    <message>
        <source>%1Syntax error in the file .TDC %2</source>
        <comment>Error code is &quot;STXERRTDC&quot;</comment>
        <translation>%1Erreur de syntaxe dans le fichier .TDC %2</translation>
    </message>
    <message>
        <source>%1Mandatory suffix for this file (.RO or .RIO) %2</source>
        <comment>Error code is &quot;SUFFROOBL&quot;</comment>
        <translation>%1Suffixe obligatoire pour ce fichier (.RO ou .RIO) %2</translation>
    </message>
    <message>
        <source>%1Inconsistent file .TDC %2</source>
        <comment>Error code is &quot;TDCINCOHE&quot;</comment>
        <translation>%1Fichier .TDC incohérent %2</translation>
    </message>
</context>
<context>
    <name>Warnings (bibli)</name>
    <message>
        <source>%1File %2 is not analysed</source>
        <comment>Error code is &quot;FILNOTANA&quot;</comment>
        <translation>%1Le fichier %2 n&apos;est pas analysé</translation>
    </message>
    <message>
        <source>%1Integer too long for a var size %2: the most significant bits are ignored</source>
        <comment>Error code is &quot;BITIGNORE&quot;</comment>
        <translation>%1Entier trop long pour une variable de taille %2 : les bits de poids fort sont ignorés</translation>
    </message>
    <message>
        <source>%1Empty STRUCTURE block %2</source>
        <comment>Error code is &quot;BLSTRVIDE&quot;</comment>
        <translation>%1Bloc STRUCTURE vide %2</translation>
    </message>
    <message>
        <source>%1Empty ENVIRONMENT block %2</source>
        <comment>Error code is &quot;BLENVVIDE&quot;</comment>
        <translation>%1Bloc ENVIRONNEMENT vide %2</translation>
    </message>
    <message>
        <source>%1Missing block %2</source>
        <comment>Error code is &quot;BLOC_ABST&quot;</comment>
        <translation>%1Bloc absent %2</translation>
    </message>
    <message>
        <source>%1The tested member of union %2 is not determined. The default tested member is the first member.</source>
        <comment>Error code is &quot;CHAMUNION&quot;</comment>
        <translation>%1Le membre testé de l&apos;union %2 n&apos;est pas déterminé. Le premier membre est testé par défaut.</translation>
    </message>
    <message>
        <source>%1Impossible to connect to %2: none control of the tables names and the fields names</source>
        <comment>Error code is &quot;CONNEXIMP&quot;</comment>
        <translation>%1Connexion impossible à %2 : aucun contrôle des noms de tables et des noms de champs</translation>
    </message>
    <message>
        <source>%1Init value not allowed for %2 constant</source>
        <comment>Error code is &quot;CONSTINIT&quot;</comment>
        <translation>%1Valeur INIT interdite pour la constante %2</translation>
    </message>
    <message>
        <source>%1%2 type conversion</source>
        <comment>Error code is &quot;CONVERTYP&quot;</comment>
        <translation>%1Conversion de type %2</translation>
    </message>
    <message>
        <source>%1Too long constant %2: non registered</source>
        <comment>Error code is &quot;CSTTOLONG&quot;</comment>
        <translation>%1Constante %2 trop longue : non enregistrée</translation>
    </message>
    <message>
        <source>%1To many exception in bloc: %2 ignored</source>
        <comment>Error code is &quot;DBL_EXCEP&quot;</comment>
        <translation>%1Trop d&apos;exceptions dans le bloc : %2 ignorée</translation>
    </message>
    <message>
        <source>%1ELEMENT block %2 without any variables to edit</source>
        <comment>Error code is &quot;ELMT_VIDE&quot;</comment>
        <translation>%1Bloc ELEMENT %2 sans aucune variable à éditer</translation>
    </message>
    <message>
        <source>%1The &quot;-RO&quot; option is deprecated, export results in HTML from the &quot;File/Export&quot; menu within the User Interface. </source>
        <comment>Error code is &quot;ERRROOOPT&quot;</comment>
        <translation>%1L&apos;option &quot;-RO&quot; est obsolète ; exportez les résultats en HTML depuis le menu &quot;Fichier/Exporter&quot; de l&apos;interface utilisateur. </translation>
    </message>
    <message>
        <source>%1Unkown %2 array size</source>
        <comment>Error code is &quot;ERTAILTAB&quot;</comment>
        <translation>%1Taille du tableau %2 inconnue</translation>
    </message>
    <message>
        <source>%1The selected family does not exist in the programme</source>
        <comment>Error code is &quot;FAMI_INEX&quot;</comment>
        <translation>%1La famille sélectionnée n&apos;existe pas dans le programme</translation>
    </message>
    <message>
        <source>%1File %2 already in the including files list</source>
        <comment>Error code is &quot;FICDEJAPR&quot;</comment>
        <translation>%1Le fichier %2 figure déjà dans la liste des fichiers inclus</translation>
    </message>
    <message>
        <source>%1Version field expected after HEADER keyword %2</source>
        <comment>Error code is &quot;FORMENTET&quot;</comment>
        <translation>%1Champ de version attendu après le mot-clé ENTETE %2</translation>
    </message>
    <message>
        <source>%1Several FORMAT instructions for variable %2 </source>
        <comment>Error code is &quot;FORMREDEF&quot;</comment>
        <translation>%1Plusieurs instructions FORMAT pour la variable %2 </translation>
    </message>
    <message>
        <source>%1Unknown ident %2</source>
        <comment>Error code is &quot;IDENTINCO&quot;</comment>
        <translation>%1Identificateur inconnu %2</translation>
    </message>
    <message>
        <source>%1The file %2 does not exist </source>
        <comment>Error code is &quot;INCLINCON&quot;</comment>
        <translation>%1Le fichier %2 n&apos;existe pas </translation>
    </message>
    <message>
        <source>%1Inconsistent line in the RIO file %2</source>
        <comment>Error code is &quot;INCLIGRIO&quot;</comment>
        <translation>%1Ligne incohérente dans le fichier RIO %2</translation>
    </message>
    <message>
        <source>%1Inconsistent line in the TDC file %2</source>
        <comment>Error code is &quot;INCLIGTDC&quot;</comment>
        <translation>%1Ligne incohérente dans le fichier TDC %2</translation>
    </message>
    <message>
        <source>%1%2 is not a directory </source>
        <comment>Error code is &quot;INCLTYPER&quot;</comment>
        <translation>%1%2 n&apos;est pas un répertoire </translation>
    </message>
    <message>
        <source>%1The instruction %2 is not unique</source>
        <comment>Error code is &quot;INCSEGDBL&quot;</comment>
        <translation>%1L&apos;instruction %2 n&apos;est pas unique</translation>
    </message>
    <message>
        <source>%1The directory %2 is invalid </source>
        <comment>Error code is &quot;INCL_INVA&quot;</comment>
        <translation>%1Le répertoire %2 n&apos;est pas valide </translation>
    </message>
    <message>
        <source>%1INCLUDE keyword with empty name in file: %2</source>
        <comment>Error code is &quot;INC_NVIDE&quot;</comment>
        <translation>%1Mot-clé INCLURE avec un nom vide dans le fichier : %2</translation>
    </message>
    <message>
        <source>%1Incorrect loop index: %2</source>
        <comment>Error code is &quot;INDBOUINC&quot;</comment>
        <translation>%1Indice de boucle incorrect : %2</translation>
    </message>
    <message>
        <source>%1Indexes of same arrays used differently: %2</source>
        <comment>Error code is &quot;INDTABDIF&quot;</comment>
        <translation>%1Indices des mêmes tableaux utilisés différemment : %2</translation>
    </message>
    <message>
        <source>%1The values of INIT and EV must be omitted concurrently %2</source>
        <comment>Error code is &quot;INVAOMISE&quot;</comment>
        <translation>%1Les valeurs INIT et VA doivent être omises ensemble %2</translation>
    </message>
    <message>
        <source>%1Incorrect value for ZENTALAN environment variable: %2</source>
        <comment>Error code is &quot;LANSWITCH&quot;</comment>
        <translation>%1Valeur incorrecte de la variable d&apos;environnement ZENTALAN : %2</translation>
    </message>
    <message>
        <source>%1Undefined language %2</source>
        <comment>Error code is &quot;LANGANDEF&quot;</comment>
        <translation>%1Langage non défini %2</translation>
    </message>
    <message>
        <source>%1Unknown language: %2</source>
        <comment>Error code is &quot;LANGATINC&quot;</comment>
        <translation>%1Langage inconnu : %2</translation>
    </message>
    <message>
        <source>%1Incorrect line in constant file %2</source>
        <comment>Error code is &quot;LIGCSTINC&quot;</comment>
        <translation>%1Ligne incorrecte dans le fichier de constantes %2</translation>
    </message>
    <message>
        <source>%1Include line not processed: %2</source>
        <comment>Error code is &quot;LIGNTRAIT&quot;</comment>
        <translation>%1Ligne d&apos;inclusion non traitée : %2</translation>
    </message>
    <message>
        <source>%1Incorrect parameter list: %2</source>
        <comment>Error code is &quot;LISPARINC&quot;</comment>
        <translation>%1Liste de paramètres incorrecte : %2</translation>
    </message>
    <message>
        <source>%1Bad INIT or EV value list: %2 ignored</source>
        <comment>Error code is &quot;LISTEINVA&quot;</comment>
        <translation>%1Liste de valeurs INIT ou VA erronée : %2 ignorée</translation>
    </message>
    <message>
        <source>%1Wrong place for the %2 keyword, ignored</source>
        <comment>Error code is &quot;MAL_PLACE&quot;</comment>
        <translation>%1Mot-clé %2 mal placé, ignoré</translation>
    </message>
    <message>
        <source>%1invalid MIN and MAX values</source>
        <comment>Error code is &quot;MINMAXVAL&quot;</comment>
        <translation>%1Valeurs MIN et MAX invalides</translation>
    </message>
    <message>
        <source>%1Version mismatch between HEADER and STRVER: %2</source>
        <comment>Error code is &quot;MISMNUVER&quot;</comment>
        <translation>%1Versions différentes entre ENTETE et STRVER : %2</translation>
    </message>
    <message>
        <source>%1%2 keyword only accepted with the ANALYSE option.</source>
        <comment>Error code is &quot;MOTCLEANA&quot;</comment>
        <translation>%1Le mot-clé %2 n&apos;est accepté qu&apos;avec l&apos;option ANALYSE.</translation>
    </message>
    <message>
        <source>%1Obsolete keyword %2</source>
        <comment>Error code is &quot;MOTCLEOBS&quot;</comment>
        <translation>%1Mot-clé obsolète %2</translation>
    </message>
    <message>
        <source>%1%2 keyword used more than once</source>
        <comment>Error code is &quot;MOTDOUBLE&quot;</comment>
        <translation>%1Mot-clé %2 utilisé plusieurs fois</translation>
    </message>
    <message>
        <source>%1stub bloc defined in service bloc</source>
        <comment>Error code is &quot;MUETSERVI&quot;</comment>
        <translation>%1Bloc de simulation (MUET) défini dans un bloc SERVICE</translation>
    </message>
    <message>
        <source>%1Undefined stub %2. Use DEFINE STUB</source>
        <comment>Error code is &quot;MUETUNDEF&quot;</comment>
        <translation>%1Simulation %2 non définie. Utilisez DEFINE STUB</translation>
    </message>
    <message>
        <source>%1Too many calls for stub %2</source>
        <comment>Error code is &quot;NBAPPMUET&quot;</comment>
        <translation>%1Trop d&apos;appels pour la simulation %2</translation>
    </message>
    <message>
        <source>%1Incorrect number of values in stub call: %2</source>
        <comment>Error code is &quot;NBVALMUET&quot;</comment>
        <translation>%1Nombre de valeurs incorrect dans l&apos;appel de la simulation : %2</translation>
    </message>
    <message>
        <source>%1%2 logical name not defined</source>
        <comment>Error code is &quot;NOLOGIDEF&quot;</comment>
        <translation>%1Nom logique %2 non défini</translation>
    </message>
    <message>
        <source>%1The family name is empty %2</source>
        <comment>Error code is &quot;NOMFAMVID&quot;</comment>
        <translation>%1Le nom de famille est vide %2</translation>
    </message>
    <message>
        <source>%1%2 service used more than once in the program</source>
        <comment>Error code is &quot;NOMOPEDBL&quot;</comment>
        <translation>%1Service %2 utilisé plusieurs fois dans le programme</translation>
    </message>
    <message>
        <source>%1The service name %2 is not a C++ identifier: its other characters become &apos;_&apos;</source>
        <comment>Error code is &quot;NOMOPEINV&quot;</comment>
        <translation>%1Le nom de service %2 n&apos;est pas un identificateur C++ : ses autres caractères deviennent &apos;_&apos;</translation>
    </message>
    <message>
        <source>%1%2 test used more than once in the service</source>
        <comment>Error code is &quot;NOMTSTDBL&quot;</comment>
        <translation>%1Test %2 utilisé plusieurs fois dans le service</translation>
    </message>
    <message>
        <source>%1Variable %2 overloads other variables in the same test</source>
        <comment>Error code is &quot;NOMVARDBL&quot;</comment>
        <translation>%1La variable %2 surcharge d&apos;autres variables dans le même test</translation>
    </message>
    <message>
        <source>%1Option %2 not allowed with the selected INIT and EV values</source>
        <comment>Error code is &quot;NONAUTORI&quot;</comment>
        <translation>%1Option %2 interdite avec les valeurs INIT et VA choisies</translation>
    </message>
    <message>
        <source>%1Missing /SUB_SYSTEM option %2</source>
        <comment>Error code is &quot;NOSSYSTEM&quot;</comment>
        <translation>%1Option /SOUS_SYSTEME absente %2</translation>
    </message>
    <message>
        <source>%1Version number not found in the source program: %2</source>
        <comment>Error code is &quot;NUMVERABS&quot;</comment>
        <translation>%1Numéro de version introuvable dans le programme source : %2</translation>
    </message>
    <message>
        <source>%1Version number already found: %2</source>
        <comment>Error code is &quot;NUVER_DBL&quot;</comment>
        <translation>%1Numéro de version déjà trouvé : %2</translation>
    </message>
    <message>
        <source>%1The option CLASS is allowed only with C++ language %2</source>
        <comment>Error code is &quot;OPCLASSIMP&quot;</comment>
        <translation>%1L&apos;option CLASSE n&apos;est autorisée qu&apos;avec le langage C++ %2</translation>
    </message>
    <message>
        <source>%1The options %2 are incompatible.</source>
        <comment>Error code is &quot;OPINCOMPA&quot;</comment>
        <translation>%1Les options %2 sont incompatibles.</translation>
    </message>
    <message>
        <source>%1The option COMPARE=STRICT doesn&apos;t concern the test statement ARRAY.</source>
        <comment>Error code is &quot;CMPSTRINCTAB&quot;</comment>
        <translation>%1L&apos;option COMPARE=STRICT ne concerne pas l&apos;instruction de test TAB.</translation>
    </message>
    <message>
        <source>%1The option COMPARE=STRICT doesn&apos;t concern the test statement STUB.</source>
        <comment>Error code is &quot;CMPSTRINCSTU&quot;</comment>
        <translation>%1L&apos;option COMPARE=STRICT ne concerne pas l&apos;instruction de test MUET.</translation>
    </message>
    <message>
        <source>%1The PORTRAIT and LANDSCAPE options are incompatible.</source>
        <comment>Error code is &quot;LANDPORT&quot;</comment>
        <translation>%1Les options PORTRAIT et LANDSCAPE sont incompatibles.</translation>
    </message>
    <message>
        <source>%1The selected service %2 does not exist in the program</source>
        <comment>Error code is &quot;OPER_INEX&quot;</comment>
        <translation>%1Le service sélectionné %2 n&apos;existe pas dans le programme</translation>
    </message>
    <message>
        <source>%1No test in the service %2</source>
        <comment>Error code is &quot;OPER_VIDE&quot;</comment>
        <translation>%1Aucun test dans le service %2</translation>
    </message>
    <message>
        <source>%1The option DBMS is allowed only with CSQL language %2</source>
        <comment>Error code is &quot;OPSGBDINP&quot;</comment>
        <translation>%1L&apos;option SGBD n&apos;est autorisée qu&apos;avec le langage CSQL %2</translation>
    </message>
    <message>
        <source>%1The option %2 is only allowed with the ANALYSE option.</source>
        <comment>Error code is &quot;OPTIONANA&quot;</comment>
        <translation>%1L&apos;option %2 n&apos;est autorisée qu&apos;avec l&apos;option ANALYSE.</translation>
    </message>
    <message>
        <source>%1The option %2 is only allowed with the ANALYSE option and C language</source>
        <comment>Error code is &quot;OPTCETANA&quot;</comment>
        <translation>%1L&apos;option %2 n&apos;est autorisée qu&apos;avec l&apos;option ANALYSE et le langage C</translation>
    </message>
    <message>
        <source>%1The option %2 is only allowed with the ANALYSE option and C or C++ language</source>
        <comment>Error code is &quot;OPTCETCPP&quot;</comment>
        <translation>%1L&apos;option %2 n&apos;est autorisée qu&apos;avec l&apos;option ANALYSE et le langage C ou C++</translation>
    </message>
    <message>
        <source>%1Unknown parameter %2 in previous fonction declaration</source>
        <comment>Error code is &quot;PARINCDEC&quot;</comment>
        <translation>%1Paramètre %2 inconnu dans la déclaration de fonction précédente</translation>
    </message>
    <message>
        <source>%1Pointer %2 not initialized; use &apos;INIT ==&apos;</source>
        <comment>Error code is &quot;POINOINIT&quot;</comment>
        <translation>%1Pointeur %2 non initialisé ; utilisez &apos;INIT ==&apos;</translation>
    </message>
    <message>
        <source>%1Warning in the SEGMENT block: %2</source>
        <comment>Error code is &quot;SEGSTXWAR&quot;</comment>
        <translation>%1Avertissement dans le bloc SEGMENT : %2</translation>
    </message>
    <message>
        <source>%1Structure definition without name%2</source>
        <comment>Error code is &quot;STRUCTNOM&quot;</comment>
        <translation>%1Définition de structure sans nom%2</translation>
    </message>
    <message>
        <source>%1Unknown keyword: %2</source>
        <comment>Error code is &quot;STXMETAIN&quot;</comment>
        <translation>%1Mot-clé inconnu : %2</translation>
    </message>
    <message>
        <source>%1Unit Test Report Generator execution completed with incorrect tests %2</source>
        <comment>Error code is &quot;TEST_ERRO&quot;</comment>
        <translation>%1Génération du rapport de test unitaire terminée avec des tests incorrects %2</translation>
    </message>
    <message>
        <source>%1The selected test %2 does not exist in the program / See .LIS file</source>
        <comment>Error code is &quot;TEST_INEX&quot;</comment>
        <translation>%1Le test sélectionné %2 n&apos;existe pas dans le programme / voir le fichier .LIS</translation>
    </message>
    <message>
        <source>%1No variables in the test %2</source>
        <comment>Error code is &quot;TEST_VIDE&quot;</comment>
        <translation>%1Aucune variable dans le test %2</translation>
    </message>
    <message>
        <source>%1The keyword END IF doesn&apos;t match with a keyword IF</source>
        <comment>Error code is &quot;TROPFINSI&quot;</comment>
        <translation>%1Le mot-clé FINSI ne correspond à aucun mot-clé SI</translation>
    </message>
    <message>
        <source>%1type of variable %2 doens&apos;t match the original type</source>
        <comment>Error code is &quot;TYPENATIF&quot;</comment>
        <translation>%1Le type de la variable %2 ne correspond pas au type d&apos;origine</translation>
    </message>
    <message>
        <source>%1INIT, EV, MIN or MAX value type doesn&apos;t match the type of the tested variable %2</source>
        <comment>Error code is &quot;TYPEINCOM&quot;</comment>
        <translation>%1Le type de la valeur INIT, VA, MIN ou MAX ne correspond pas au type de la variable testée %2</translation>
    </message>
    <message>
        <source>%1Uncompliance between the EV and the INIT values for the variable %2</source>
        <comment>Error code is &quot;VALINITVA&quot;</comment>
        <translation>%1Non-conformité entre les valeurs VA et INIT de la variable %2</translation>
    </message>
    <message>
        <source>%1No value passed in %2 stub call</source>
        <comment>Error code is &quot;VALOMIMUE&quot;</comment>
        <translation>%1Aucune valeur passée dans l&apos;appel de la simulation %2</translation>
    </message>
    <message>
        <source>%1A value has been omitted for %2 parameter</source>
        <comment>Error code is &quot;VALOMIPAR&quot;</comment>
        <translation>%1Une valeur a été omise pour le paramètre %2</translation>
    </message>
    <message>
        <source>%1Incorrect return value: %2</source>
        <comment>Error code is &quot;VALRETMUE&quot;</comment>
        <translation>%1Valeur de retour incorrecte : %2</translation>
    </message>
    <message>
        <source>%1No test generated for %2 variable</source>
        <comment>Error code is &quot;VARNOTEST&quot;</comment>
        <translation>%1Aucun test généré pour la variable %2</translation>
    </message>
    <message>
        <source>%1Signal %2 received</source>
        <comment>Error code is &quot;SIGNALPRO&quot;</comment>
        <translation>%1Signal %2 reçu</translation>
    </message>
    <message>
        <source>%1The option %2 is obsolete : ignored</source>
        <comment>Error code is &quot;OPTOBSOLET&quot;</comment>
        <translation>%1L&apos;option %2 est obsolète : ignorée</translation>
    </message>
</context>
<context>
    <name>Errors (bibli)</name>
    <message>
        <source>%1Cannot use arrays in assembly language %2</source>
        <comment>Error code is &quot;ASMTABERR&quot;</comment>
        <translation>%1Impossible d&apos;utiliser des tableaux en langage d&apos;assemblage %2</translation>
    </message>
    <message>
        <source>%1Only INIT=, INIT==, EV=, EV== are authorized for the structures</source>
        <comment>Error code is &quot;AUTOSTRUC&quot;</comment>
        <translation>%1Seuls INIT=, INIT==, VA=, VA== sont autorisés pour les structures</translation>
    </message>
    <message>
        <source>%1Bad aggregate %2</source>
        <comment>Error code is &quot;BADAGGREGATE&quot;</comment>
        <translation>%1Agrégat erroné %2</translation>
    </message>
    <message>
        <source>%1Unknown base %2</source>
        <comment>Error code is &quot;BASEINCON&quot;</comment>
        <translation>%1Base inconnue %2</translation>
    </message>
    <message>
        <source>%1BEGIN keyword not found %2</source>
        <comment>Error code is &quot;BEGINABSE&quot;</comment>
        <translation>%1Mot-clé DEBUT introuvable %2</translation>
    </message>
    <message>
        <source>%1Keyword %2 after the SERVICE keyword </source>
        <comment>Error code is &quot;BEGOCCURE&quot;</comment>
        <translation>%1Mot-clé %2 après le mot-clé SERVICE </translation>
    </message>
    <message>
        <source>%1Bad lower boundary %2</source>
        <comment>Error code is &quot;BORINFINC&quot;</comment>
        <translation>%1Borne inférieure erronée %2</translation>
    </message>
    <message>
        <source>%1Bad upper boundary %2</source>
        <comment>Error code is &quot;BORSUPINC&quot;</comment>
        <translation>%1Borne supérieure erronée %2</translation>
    </message>
    <message>
        <source>%1Unknown field %2</source>
        <comment>Error code is &quot;CHAMPINCO&quot;</comment>
        <translation>%1Champ inconnu %2</translation>
    </message>
    <message>
        <source>%1Invalid character %2</source>
        <comment>Error code is &quot;CHARINVAL&quot;</comment>
        <translation>%1Caractère invalide %2</translation>
    </message>
    <message>
        <source>%1None present parameter: waiting for connection and/or disconnection parameter(s)</source>
        <comment>Error code is &quot;CONNEXABS&quot;</comment>
        <translation>%1Aucun paramètre présent : paramètre(s) de connexion et/ou de déconnexion attendu(s)</translation>
    </message>
    <message>
        <source>%1Unknown constant %2</source>
        <comment>Error code is &quot;CONSTINCO&quot;</comment>
        <translation>%1Constante inconnue %2</translation>
    </message>
    <message>
        <source>%1DECLARE keyword not found %2</source>
        <comment>Error code is &quot;DECLARABS&quot;</comment>
        <translation>%1Mot-clé DECLARE introuvable %2</translation>
    </message>
    <message>
        <source>%1Value %2 already defined </source>
        <comment>Error code is &quot;DEFMULTIP&quot;</comment>
        <translation>%1Valeur %2 déjà définie </translation>
    </message>
    <message>
        <source>%1DELTA, MIN and MAX keywords already used for the same variable %2</source>
        <comment>Error code is &quot;DELMINMAX&quot;</comment>
        <translation>%1Mots-clés DELTA, MIN et MAX déjà utilisés pour la même variable %2</translation>
    </message>
    <message>
        <source>%1Division by zero</source>
        <comment>Error code is &quot;DIVBYZERO&quot;</comment>
        <translation>%1Division par zéro</translation>
    </message>
    <message>
        <source>%1The environment %2 already exists</source>
        <comment>Error code is &quot;DUPENVNAM&quot;</comment>
        <translation>%1L&apos;environnement %2 existe déjà</translation>
    </message>
    <message>
        <source>%1Constant value %2 already defined</source>
        <comment>Error code is &quot;DUPLCONST&quot;</comment>
        <translation>%1Valeur de constante %2 déjà définie</translation>
    </message>
    <message>
        <source>%1The field %2 already exists</source>
        <comment>Error code is &quot;DUPNOMCHP&quot;</comment>
        <translation>%1Le champ %2 existe déjà</translation>
    </message>
    <message>
        <source>%1The structure %2 already exists</source>
        <comment>Error code is &quot;DUPSTRNAM&quot;</comment>
        <translation>%1La structure %2 existe déjà</translation>
    </message>
    <message>
        <source>%1Missing &apos;=&apos; for %2</source>
        <comment>Error code is &quot;EGALABSEN&quot;</comment>
        <translation>%1&apos;=&apos; absent pour %2</translation>
    </message>
    <message>
        <source>%1Uncompleted value list%2</source>
        <comment>Error code is &quot;ELEMLISTE&quot;</comment>
        <translation>%1Liste de valeurs incomplète%2</translation>
    </message>
    <message>
        <source>%1END keyword already found. Only one BEGIN/END block authorized %2</source>
        <comment>Error code is &quot;ENDOCCURE&quot;</comment>
        <translation>%1Mot-clé FIN déjà trouvé. Un seul bloc DEBUT/FIN est autorisé %2</translation>
    </message>
    <message>
        <source>%1HEADER keyword must be the first one %2</source>
        <comment>Error code is &quot;ENTETEERR&quot;</comment>
        <translation>%1Le mot-clé ENTETE doit être le premier %2</translation>
    </message>
    <message>
        <source>%1Enumerated type name %2 missing</source>
        <comment>Error code is &quot;ENUTYPABS&quot;</comment>
        <translation>%1Nom du type énuméré %2 absent</translation>
    </message>
    <message>
        <source>%1ENVIRONMENT keyword must be outside SERVICE block %2</source>
        <comment>Error code is &quot;ENVDANSOP&quot;</comment>
        <translation>%1Le mot-clé ENVIRONNEMENT doit être hors d&apos;un bloc SERVICE %2</translation>
    </message>
    <message>
        <source>%1Environment parameters not supported in ADA </source>
        <comment>Error code is &quot;ENVPARERR&quot;</comment>
        <translation>%1Paramètres d&apos;environnement non pris en charge en ADA </translation>
    </message>
    <message>
        <source>%1Error in parameters of the environment %2</source>
        <comment>Error code is &quot;ENVPARAME&quot;</comment>
        <translation>%1Erreur dans les paramètres de l&apos;environnement %2</translation>
    </message>
    <message>
        <source>%1Unknown environment %2</source>
        <comment>Error code is &quot;ENV_INCON&quot;</comment>
        <translation>%1Environnement inconnu %2</translation>
    </message>
    <message>
        <source>%1Lexical error %2</source>
        <comment>Error code is &quot;ERRLEXCAL&quot;</comment>
        <translation>%1Erreur lexicale %2</translation>
    </message>
    <message>
        <source>%1Lexical error %2</source>
        <comment>Error code is &quot;ERRPARENT&quot;</comment>
        <translation>%1Erreur lexicale %2</translation>
    </message>
    <message>
        <source>%1Unsupported type %2 for the 186</source>
        <comment>Error code is &quot;ERRTYP186&quot;</comment>
        <translation>%1Type %2 non pris en charge pour le 186</translation>
    </message>
    <message>
        <source>%1Inconsistent base for the type %2</source>
        <comment>Error code is &quot;FMTINCOMP&quot;</comment>
        <translation>%1Base incohérente pour le type %2</translation>
    </message>
    <message>
        <source>%1Constant value %2 declared after the SERVICE keyword</source>
        <comment>Error code is &quot;FORWCONST&quot;</comment>
        <translation>%1Valeur de constante %2 déclarée après le mot-clé SERVICE</translation>
    </message>
    <message>
        <source>%1Constant value %2 declared after the SERVICE keyword</source>
        <comment>Error code is &quot;FOR_CONST&quot;</comment>
        <translation>%1Valeur de constante %2 déclarée après le mot-clé SERVICE</translation>
    </message>
    <message>
        <source>%1invalid increment value: %2</source>
        <comment>Error code is &quot;INCREMENT&quot;</comment>
        <translation>%1Valeur d&apos;incrément invalide : %2</translation>
    </message>
    <message>
        <source>%1Init value missing for %2</source>
        <comment>Error code is &quot;INITABSEN&quot;</comment>
        <translation>%1Valeur INIT absente pour %2</translation>
    </message>
    <message>
        <source>%1Initialisation of an AGREGATE fields is mandatory %2</source>
        <comment>Error code is &quot;INITAGREG&quot;</comment>
        <translation>%1L&apos;initialisation des champs d&apos;un AGREGAT est obligatoire %2</translation>
    </message>
    <message>
        <source>%1Keyword INIT IN not authorized with the assembly language %2</source>
        <comment>Error code is &quot;INITINASM&quot;</comment>
        <translation>%1Mot-clé INIT IN interdit avec le langage d&apos;assemblage %2</translation>
    </message>
    <message>
        <source>%1%2 must be integer and superior or equal to 1 (NB_RANDOM) or to 2 (NB_TIMES)</source>
        <comment>Error code is &quot;INTSUPEUN&quot;</comment>
        <translation>%1%2 doit être un entier supérieur ou égal à 1 (NB_RANDOM) ou à 2 (NB_TIMES)</translation>
    </message>
    <message>
        <source>%1%2 must be &gt;= 0</source>
        <comment>Error code is &quot;INTEGALUN&quot;</comment>
        <translation>%1%2 doit être &gt;= 0</translation>
    </message>
    <message>
        <source>%1Unknown keyword %2</source>
        <comment>Error code is &quot;INVMOTCLE&quot;</comment>
        <translation>%1Mot-clé inconnu %2</translation>
    </message>
    <message>
        <source>%1Too long instruction %2</source>
        <comment>Error code is &quot;LINETOLON&quot;</comment>
        <translation>%1Instruction trop longue %2</translation>
    </message>
    <message>
        <source>%1Bad init value list %2</source>
        <comment>Error code is &quot;LISTEINIT&quot;</comment>
        <translation>%1Liste de valeurs INIT erronée %2</translation>
    </message>
    <message>
        <source>%1Bad EV IN value list %2</source>
        <comment>Error code is &quot;LISTEVAIN&quot;</comment>
        <translation>%1Liste de valeurs VA IN erronée %2</translation>
    </message>
    <message>
        <source>%1Missing keyword %2</source>
        <comment>Error code is &quot;MOTCLEABS&quot;</comment>
        <translation>%1Mot-clé absent %2</translation>
    </message>
    <message>
        <source>%1%2 keyword appears many times</source>
        <comment>Error code is &quot;MOTCLEREP&quot;</comment>
        <translation>%1Le mot-clé %2 apparaît plusieurs fois</translation>
    </message>
    <message>
        <source>%1Number of INIT IN and INIT FROM too big in the current test %2</source>
        <comment>Error code is &quot;NBINITDYN&quot;</comment>
        <translation>%1Trop d&apos;INIT IN et d&apos;INIT FROM dans le test courant %2</translation>
    </message>
    <message>
        <source>%1Number of parameters different from environment %2</source>
        <comment>Error code is &quot;NBPARADIF&quot;</comment>
        <translation>%1Nombre de paramètres différent de celui de l&apos;environnement %2</translation>
    </message>
    <message>
        <source>%1Number of EV IN too big in the current test %2</source>
        <comment>Error code is &quot;NBVAINOVE&quot;</comment>
        <translation>%1Trop de VA IN dans le test courant %2</translation>
    </message>
    <message>
        <source>The Number of values in the list is too big %1</source>
        <comment>Error code is &quot;NBVALLIST&quot;</comment>
        <translation>Le nombre de valeurs de la liste est trop grand %1</translation>
    </message>
    <message>
        <source>%1base name missing</source>
        <comment>Error code is &quot;NOMBASABS&quot;</comment>
        <translation>%1Nom de base absent</translation>
    </message>
    <message>
        <source>%1Bad parameter name %2</source>
        <comment>Error code is &quot;NOMPARINC&quot;</comment>
        <translation>%1Nom de paramètre erroné %2</translation>
    </message>
    <message>
        <source>%1Bad variable name %2</source>
        <comment>Error code is &quot;NOMVARINC&quot;</comment>
        <translation>%1Nom de variable erroné %2</translation>
    </message>
    <message>
        <source>%1Command %2 isn&apos;t supported yet</source>
        <comment>Error code is &quot;NOTSUPPORTED&quot;</comment>
        <translation>%1La commande %2 n&apos;est pas encore prise en charge</translation>
    </message>
    <message>
        <source>%1Command %2 isn&apos;t supported in Ada language</source>
        <comment>Error code is &quot;NOTADASUPPOR&quot;</comment>
        <translation>%1La commande %2 n&apos;est pas prise en charge en langage Ada</translation>
    </message>
    <message>
        <source>%1The option %2 is allowed only with CSQL language</source>
        <comment>Error code is &quot;OPSGBDIMP&quot;</comment>
        <translation>%1L&apos;option %2 n&apos;est autorisée qu&apos;avec le langage CSQL</translation>
    </message>
    <message>
        <source>%1Integer operation overflow %2</source>
        <comment>Error code is &quot;OVERFLOW&quot;</comment>
        <translation>%1Débordement d&apos;une opération entière %2</translation>
    </message>
    <message>
        <source>%1The parameter %2 is not an identificator</source>
        <comment>Error code is &quot;PARAMENVI&quot;</comment>
        <translation>%1Le paramètre %2 n&apos;est pas un identificateur</translation>
    </message>
    <message>
        <source>%1Invalid array index with environment overloaded %2</source>
        <comment>Error code is &quot;ARRINDENV&quot;</comment>
        <translation>%1Indice de tableau invalide avec surcharge d&apos;environnement %2</translation>
    </message>
    <message>
        <source>%1An %2 IN pointer cannot be initialized with NONIL </source>
        <comment>Error code is &quot;POINTINIT&quot;</comment>
        <translation>%1Un pointeur %2 IN ne peut pas être initialisé avec NONIL </translation>
    </message>
    <message>
        <source>%1+BOUNDS expected at the end of INIT FROM </source>
        <comment>Error code is &quot;PLUSBOUND&quot;</comment>
        <translation>%1+BOUNDS attendu à la fin de INIT FROM </translation>
    </message>
    <message>
        <source>%1NO TEST SPECIFIED IN THE TEST PROGRAM %2</source>
        <comment>Error code is &quot;PROGXVIDE&quot;</comment>
        <translation>%1AUCUN TEST SPÉCIFIÉ DANS LE PROGRAMME DE TEST %2</translation>
    </message>
    <message>
        <source>%1NO SERVICES IN THE TEST PROGRAM %2</source>
        <comment>Error code is &quot;PROG_VIDE&quot;</comment>
        <translation>%1AUCUN SERVICE DANS LE PROGRAMME DE TEST %2</translation>
    </message>
    <message>
        <source>%1Registre %2 non supporté par le 186</source>
        <comment>Error code is &quot;REGINC186&quot;</comment>
        <translation>%1Registre %2 non supporté par le 186</translation>
    </message>
    <message>
        <source>%1Syntax error in the SEGMENT bloc: %2</source>
        <comment>Error code is &quot;SEGSTXERR&quot;</comment>
        <translation>%1Erreur de syntaxe dans le bloc SEGMENT : %2</translation>
    </message>
    <message>
        <source>%1The segment %2 not found in the SEGMENT bloc</source>
        <comment>Error code is &quot;SGTPARINC&quot;</comment>
        <translation>%1Segment %2 introuvable dans le bloc SEGMENT</translation>
    </message>
    <message>
        <source>%1STEP, NB_TIMES or NB_RANDOM expected after INIT FROM .. TO</source>
        <comment>Error code is &quot;STIMDOMAT&quot;</comment>
        <translation>%1STEP, NB_TIMES ou NB_RANDOM attendu après INIT FROM .. TO</translation>
    </message>
    <message>
        <source>%1Use of recursive structures is forbidden</source>
        <comment>Error code is &quot;STRRECURS&quot;</comment>
        <translation>%1L&apos;utilisation de structures récursives est interdite</translation>
    </message>
    <message>
        <source>%1Mode %2 not found</source>
        <comment>Error code is &quot;STXERRMOD&quot;</comment>
        <translation>%1Mode %2 introuvable</translation>
    </message>
    <message>
        <source>%1Type not found %2</source>
        <comment>Error code is &quot;STXERRTYP&quot;</comment>
        <translation>%1Type introuvable %2</translation>
    </message>
    <message>
        <source>%1%2 keyword parameter not found</source>
        <comment>Error code is &quot;STXVALEXP&quot;</comment>
        <translation>%1Paramètre du mot-clé %2 introuvable</translation>
    </message>
    <message>
        <source>%1Expected result not found %2</source>
        <comment>Error code is &quot;STX_ERRRA&quot;</comment>
        <translation>%1Résultat attendu introuvable %2</translation>
    </message>
    <message>
        <source>%1EV==, Ignored expected result:  %2</source>
        <comment>Error code is &quot;IGNEXPRES&quot;</comment>
        <translation>%1VA==, résultat attendu ignoré :  %2</translation>
    </message>
    <message>
        <source>%1%2 expected</source>
        <comment>Error code is &quot;SYNTAXERO&quot;</comment>
        <translation>%1%2 attendu</translation>
    </message>
    <message>
        <source>%1Unknown table %2</source>
        <comment>Error code is &quot;TABLEINCO&quot;</comment>
        <translation>%1Table inconnue %2</translation>
    </message>
    <message>
        <source>%1The integer size %2 is not a multiple of 8</source>
        <comment>Error code is &quot;TAILLEDIV&quot;</comment>
        <translation>%1La taille d&apos;entier %2 n&apos;est pas un multiple de 8</translation>
    </message>
    <message>
        <source>%1Bad format of integer size: %2</source>
        <comment>Error code is &quot;TAILLEERR&quot;</comment>
        <translation>%1Format de taille d&apos;entier erroné : %2</translation>
    </message>
    <message>
        <source>%1TO expected behind INIT FROM</source>
        <comment>Error code is &quot;TOATTENDU&quot;</comment>
        <translation>%1TO attendu après INIT FROM</translation>
    </message>
    <message>
        <source>%1The keyword ELSE doesn&apos;t match with a keyword IF</source>
        <comment>Error code is &quot;TROPSINON&quot;</comment>
        <translation>%1Le mot-clé SINON ne correspond à aucun mot-clé SI</translation>
    </message>
    <message>
        <source>%1Invalid type %2 as array boundary</source>
        <comment>Error code is &quot;TYPEBORNE&quot;</comment>
        <translation>%1Type %2 invalide comme borne de tableau</translation>
    </message>
    <message>
        <source>%1With such an initialization, %2 must be real or integer</source>
        <comment>Error code is &quot;TYPEIFROM&quot;</comment>
        <translation>%1Avec une telle initialisation, %2 doit être réel ou entier</translation>
    </message>
    <message>
        <source>%1Unknown type %2</source>
        <comment>Error code is &quot;TYPEINCON&quot;</comment>
        <translation>%1Type inconnu %2</translation>
    </message>
    <message>
        <source>%1Types mismatch %2</source>
        <comment>Error code is &quot;TYPESMISM&quot;</comment>
        <translation>%1Types incompatibles %2</translation>
    </message>
    <message>
        <source>%1LOOP index must be integer %2</source>
        <comment>Error code is &quot;TYPBOUCLE&quot;</comment>
        <translation>%1L&apos;indice de BOUCLE doit être entier %2</translation>
    </message>
    <message>
        <source>%1Wrong place for USE %2</source>
        <comment>Error code is &quot;UTILISERR&quot;</comment>
        <translation>%1UTILISE mal placé %2</translation>
    </message>
    <message>
        <source>%1Error in parameters of USE %2 instruction</source>
        <comment>Error code is &quot;UTIPARAME&quot;</comment>
        <translation>%1Erreur dans les paramètres de l&apos;instruction UTILISE %2</translation>
    </message>
    <message>
        <source>%1Cannot convert to an absolute value %2</source>
        <comment>Error code is &quot;VALABSIMP&quot;</comment>
        <translation>%1Impossible de convertir en valeur absolue %2</translation>
    </message>
    <message>
        <source>%1LOOP index must be gretter than 1 %2</source>
        <comment>Error code is &quot;VALBOUCER&quot;</comment>
        <translation>%1L&apos;indice de BOUCLE doit être supérieur à 1 %2</translation>
    </message>
    <message>
        <source>%1The number of random values is omitted after NB_RANDOM%2</source>
        <comment>Error code is &quot;VALHASARD&quot;</comment>
        <translation>%1Le nombre de valeurs aléatoires est omis après NB_RANDOM%2</translation>
    </message>
    <message>
        <source>%1Bad value %2</source>
        <comment>Error code is &quot;VALUEINCO&quot;</comment>
        <translation>%1Valeur erronée %2</translation>
    </message>
    <message>
        <source>%1No EV keyword nor MAX keyword for %2</source>
        <comment>Error code is &quot;VAMAXABSE&quot;</comment>
        <translation>%1Ni mot-clé VA ni mot-clé MAX pour %2</translation>
    </message>
    <message>
        <source>%1No EV, MIN, nor MAX keywords for %2</source>
        <comment>Error code is &quot;VAMIMAABS&quot;</comment>
        <translation>%1Aucun des mots-clés VA, MIN ou MAX pour %2</translation>
    </message>
    <message>
        <source>%1No EV keyword nor MIN keyword for %2</source>
        <comment>Error code is &quot;VAMINABSE&quot;</comment>
        <translation>%1Ni mot-clé VA ni mot-clé MIN pour %2</translation>
    </message>
    <message>
        <source>%1EV, MIN and MAX keywords already used for the same variable %2</source>
        <comment>Error code is &quot;VA_MINMAX&quot;</comment>
        <translation>%1Mots-clés VA, MIN et MAX déjà utilisés pour la même variable %2</translation>
    </message>
    <message>
        <source>%1MIN, MAX or DELTA unexpected for %2</source>
        <comment>Error code is &quot;MINMAXDEL&quot;</comment>
        <translation>%1MIN, MAX ou DELTA inattendu pour %2</translation>
    </message>
    <message>
        <source>%1The file %2 cannot be found</source>
        <comment>Error code is &quot;FICINCINC&quot;</comment>
        <translation>%1Le fichier %2 est introuvable</translation>
    </message>
    <message>
        <source>%1Keyword EV IN not authorized with the assembly language %2</source>
        <comment>Error code is &quot;VAINNOASM&quot;</comment>
        <translation>%1Mot-clé VA IN interdit avec le langage d&apos;assemblage %2</translation>
    </message>
    <message>
        <source>%1Uncompliance between the EV IN AND THE INIT IN for the variable %2</source>
        <comment>Error code is &quot;VAINIT_IN&quot;</comment>
        <translation>%1Non-conformité entre VA IN et INIT IN pour la variable %2</translation>
    </message>
    <message>
        <source>%1Variable %2 not defined, INIT IN statement need variable statement (VAR) defined in the same scope</source>
        <comment>Error code is &quot;VARLIEINC&quot;</comment>
        <translation>%1Variable %2 non définie : l&apos;instruction INIT IN exige une instruction de variable (VAR) définie dans la même portée</translation>
    </message>
    <message>
        <source>%1Number of values different from the one of the link variable %2</source>
        <comment>Error code is &quot;VARLIENNB&quot;</comment>
        <translation>%1Nombre de valeurs différent de celui de la variable liée %2</translation>
    </message>
    <message>
        <source>%1variable name missing</source>
        <comment>Error code is &quot;VARNAMMSG&quot;</comment>
        <translation>%1Nom de variable absent</translation>
    </message>
</context>
<context>
    <name>Informations (bibli)</name>
    <message>
        <source>%1Include files checking in progress... %2</source>
        <comment>Error code is &quot;DEBINCVER&quot;</comment>
        <translation>%1Vérification des fichiers inclus en cours... %2</translation>
    </message>
    <message>
        <source>%1Bad expression %2</source>
        <comment>Error code is &quot;EXPERRONE&quot;</comment>
        <translation>%1Expression erronée %2</translation>
    </message>
    <message>
        <source>%1completed %2</source>
        <comment>Error code is &quot;FINEXECUT&quot;</comment>
        <translation>%1terminé %2</translation>
    </message>
    <message>
        <source>%1Include files checking is done %2</source>
        <comment>Error code is &quot;FININCVER&quot;</comment>
        <translation>%1Vérification des fichiers inclus terminée %2</translation>
    </message>
    <message>
        <source>%1Error in line: %2</source>
        <comment>Error code is &quot;LIGNERRON&quot;</comment>
        <translation>%1Erreur dans la ligne : %2</translation>
    </message>
    <message>
        <source>%1Unused /SUB_SYSTEM option %2</source>
        <comment>Error code is &quot;NOTSSYSTEM&quot;</comment>
        <translation>%1Option /SOUS_SYSTEME inutilisée %2</translation>
    </message>
    <message>
        <source>%1Renamed service: %2</source>
        <comment>Error code is &quot;OPERENAME&quot;</comment>
        <translation>%1Service renommé : %2</translation>
    </message>
    <message>
        <source>%1No test in the service %2</source>
        <comment>Error code is &quot;OPERXVIDE&quot;</comment>
        <translation>%1Aucun test dans le service %2</translation>
    </message>
    <message>
        <source>%1Error position %2</source>
        <comment>Error code is &quot;POSIT_ERR&quot;</comment>
        <translation>%1Position de l&apos;erreur %2</translation>
    </message>
    <message>
        <source>%1Wrong or missing slice expresion, stub %2</source>
        <comment>Error code is &quot;SLICEREQ&quot;</comment>
        <translation>%1Expression de tranche erronée ou absente, simulation %2</translation>
    </message>
</context>
</TS>
