<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Internal Error (prepro)</name>
    <message>
        <source>%1internal error raised in  %2</source>
        <comment>Error code is &quot;INTERNERR&quot;</comment>
        <translation>%1Erreur interne survenue dans  %2</translation>
    </message>
</context>
<context>
    <name>Fatal Error (prepro)</name>
    <message>
        <source>%1no link file  %2</source>
        <comment>Error code is &quot;NOLINKFIL&quot;</comment>
        <translation>%1Aucun fichier de liens  %2</translation>
    </message>
</context>
<context>
    <name>Error (prepro)</name>
    <message>
        <source>%1Bad command: -DATA=&lt;datafile&gt; option expected%2</source>
        <comment>Error code is &quot;CMDERRDTA&quot;</comment>
        <translation>%1Commande erronée : option -DATA=&lt;fichier_de_données&gt; attendue%2</translation>
    </message>
    <message>
        <source>%1Size of array type %2 is unknow could not generate stub</source>
        <comment>Error code is &quot;UNKARRSIZ&quot;</comment>
        <translation>%1La taille du type tableau %2 est inconnue : impossible de générer la simulation</translation>
    </message>
    <message>
        <source>%1The pseudo variables I1,I2... can only be used when the aggregate is specified only by &apos;others&apos;</source>
        <comment>Error code is &quot;AGGONLOTH&quot;</comment>
        <translation>%1Les pseudo-variables I1, I2... ne s&apos;emploient que si l&apos;agrégat est spécifié uniquement par &apos;others&apos;</translation>
    </message>
</context>
<context>
    <name>Warning (prepro)</name>
    <message>
        <source>%1syntax error  %2</source>
        <comment>Error code is &quot;ASYNTAXER&quot;</comment>
        <translation>%1Erreur de syntaxe  %2</translation>
    </message>
    <message>
        <source>%1number of index values in aggregate and number of array elements are different  %2</source>
        <comment>Error code is &quot;NBCOMPERR&quot;</comment>
        <translation>%1Le nombre de valeurs d&apos;indice de l&apos;agrégat diffère du nombre d&apos;éléments du tableau  %2</translation>
    </message>
    <message>
        <source>%1private type not allowed for the test of   %2</source>
        <comment>Error code is &quot;NOPRITEST&quot;</comment>
        <translation>%1Type privé interdit pour le test de   %2</translation>
    </message>
    <message>
        <source>%1operator not found  %2</source>
        <comment>Error code is &quot;OPNOTFUND&quot;</comment>
        <translation>%1Opérateur introuvable  %2</translation>
    </message>
    <message>
        <source>%1invalid list  %2</source>
        <comment>Error code is &quot;AGGRINVAL&quot;</comment>
        <translation>%1Liste invalide  %2</translation>
    </message>
    <message>
        <source>%1NONIL not allowed in an initialization value  %2</source>
        <comment>Error code is &quot;NONILERRE&quot;</comment>
        <translation>%1NONIL interdit dans une valeur d&apos;initialisation  %2</translation>
    </message>
    <message>
        <source>%1Stub of generic package or instantiation of generic package are not allowed: %2</source>
        <comment>Error code is &quot;INVPKGMU&quot;</comment>
        <translation>%1La simulation d&apos;un paquetage générique ou d&apos;une instanciation de paquetage générique est interdite : %2</translation>
    </message>
    <message>
        <source>Target Package not found, check ZNTTGT environment variable.</source>
        <comment>Error code is &quot;BADRUNTIM&quot;</comment>
        <translation>Paquetage cible introuvable, vérifiez la variable d&apos;environnement ZNTTGT.</translation>
    </message>
    <message>
        <source>%1 coul&apos;d not compute Array indexes for environnement overload: %2</source>
        <comment>Error code is &quot;VARARRAY&quot;</comment>
        <translation>%1Impossible de calculer les indices de tableau pour la surcharge d&apos;environnement : %2</translation>
    </message>
</context>
</TS>
