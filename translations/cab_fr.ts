<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CAB</name>
    <message>
        <source>Quartolab</source>
        <translation>Quartolab</translation>
    </message>
    <message>
        <source>Arg value too small,</source>
        <translation>Valeur d&apos;argument trop petite,</translation>
    </message>
    <message>
        <source>Arg value too large,</source>
        <translation>Valeur d&apos;argument trop grande,</translation>
    </message>
    <message>
        <source>Arg length too small,</source>
        <translation>Longueur d&apos;argument trop petite,</translation>
    </message>
    <message>
        <source>Arg length too large,</source>
        <translation>Longueur d&apos;argument trop grande,</translation>
    </message>
    <message>
        <source>Too many arguments invalid argument,</source>
        <translation>Trop d&apos;arguments, argument invalide,</translation>
    </message>
    <message>
        <source>List forbidden invalid argument,</source>
        <translation>Liste interdite, argument invalide,</translation>
    </message>
    <message>
        <source>Unknown option,</source>
        <translation>Option inconnue,</translation>
    </message>
    <message>
        <source>Invalid character following option,</source>
        <translation>Caractère invalide après l&apos;option,</translation>
    </message>
    <message>
        <source>An option can&apos;t be used twice,</source>
        <translation>Une option ne peut pas être utilisée deux fois,</translation>
    </message>
    <message>
        <source>Mandatory argument for this option,</source>
        <translation>Argument obligatoire pour cette option,</translation>
    </message>
    <message>
        <source>No argument for this option,</source>
        <translation>Pas d&apos;argument pour cette option,</translation>
    </message>
    <message>
        <source>List forbidden invalid option,</source>
        <translation>Liste interdite, option invalide,</translation>
    </message>
    <message>
        <source>Argument missing,</source>
        <translation>Argument absent,</translation>
    </message>
    <message>
        <source>Ambiguous option,</source>
        <translation>Option ambiguë,</translation>
    </message>
    <message>
        <source>Unknown value of option,</source>
        <translation>Valeur d&apos;option inconnue,</translation>
    </message>
    <message>
        <source>Ambiguous value of option,</source>
        <translation>Valeur d&apos;option ambiguë,</translation>
    </message>
    <message>
        <source>Illegal combination of command elements,</source>
        <translation>Combinaison interdite d&apos;éléments de la commande,</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Fichier introuvable</translation>
    </message>
    <message>
        <source>Command analysis: No memory left</source>
        <translation>Analyse de la commande : mémoire épuisée</translation>
    </message>
    <message>
        <source>Command analysis</source>
        <translation>Analyse de la commande</translation>
    </message>
    <message>
        <source>Internal error, bad option name</source>
        <translation>Erreur interne, nom d&apos;option erroné</translation>
    </message>
    <message>
        <source>Option file refers to itself,</source>
        <translation>Fichier d&apos;options qui se référence lui-même,</translation>
    </message>
    <message>
        <source>Option files nested too deeply,</source>
        <translation>Fichiers d&apos;options trop imbriqués,</translation>
    </message>
    <message>
        <source>Option file too large,</source>
        <translation>Fichier d&apos;options trop volumineux,</translation>
    </message>
</context>
<context>
    <name>Error Parameter</name>
    <message>
        <source>memory overflow</source>
        <translation>débordement de mémoire</translation>
    </message>
    <message>
        <source>else or elif</source>
        <translation>else ou elif</translation>
    </message>
</context>
<context>
    <name>Warning Parameter</name>
    <message>
        <source>improper RESTR=KR option</source>
        <translation>option RESTR=KR inappropriée</translation>
    </message>
</context>
<context>
    <name>Fatal Error (cstsyst)</name>
    <message>
        <source>FATAL ERROR on &apos;%1&apos;,
 Please contact your administrative.</source>
        <translation>ERREUR FATALE sur &apos;%1&apos;,
 Veuillez contacter votre administrateur.</translation>
    </message>
</context>
<context>
    <name>Command-line</name>
    <message>
        <source>
Usage zentaprepro :
	&lt;test_script_file&gt;
	&lt;generated_file&gt;
	&lt;rep_file_rio&gt;
	[-LANGUAGE=&lt;language_name&gt;]
	[-VERSION=&lt;version_nb&gt;]
	[-TARGET=&lt;target_name&gt;]
	[-OPERATION=&lt;operation_name&gt;[,operation_name]]
	[-SERVICE=&lt;service_name&gt;[,service_name]]
	[-TEST=&lt;test_name&gt;[,test_name]]
	[-FAMILY=&lt;family_name&gt;[,family_name]]
	[-EXOPERATION=&lt;exoperation_name&gt;[,exoperation_name]]
	[-EXSERVICE=&lt;exservice_name&gt;[,exservice_name]]
	[-EXTEST=&lt;extest_name&gt;[,extest_name]]
	[-EXFAMILY=&lt;exfamily_name&gt;[,exfamily_name]]
	[-INCL=&lt;directory&gt;[,directory]]
	[-DEFINE=&lt;identifier&gt;[,identifier]]
	[-NOSIMULATION]
	[-E=&lt;Max_error_displayed&gt;]
	[-W=&lt;Max_warning_displayed&gt;]
	[-CONST=&lt;const_file&gt;]
	[-SOURCE=&lt;source_file&gt;]
	[-COMMAND|-NOCOMMAND=&lt;command&gt;]
	[-STRVER|-NOSTRVER=&lt;strvers&gt;]
	[-RESTRICTION=&lt;ADA83|NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP&gt;[=ADA83|NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP]]
	[-SYSCOMP=&lt;NT|DOS|OS2|VMS|UNIX&gt;]
	[-SUB_SYSTEM|-NOSUB_SYSTEM]
	[-SYSTEM|-NOSYSTEM]
	[-SS|-NOSS]
	[-FAST|-NOFAST]
	[-EXPAND|-NOEXPAND]
	[-COMPRESS|-NOCOMPRESS]
	[-CLASS=&lt;class_name&gt;]
	[-DBMS=&lt;dbms_name&gt;]
	[-DATA=&lt;data_file&gt;]
	[-NOANALYZE]
	[-NOPATH]
	[-STD_DEFINE=&lt;define_file&gt;]
	[-RENAME=&lt;rename_file&gt;]
	[-SYMBTAB=&lt;symbtab_file&gt;]
	[-ADALINK=&lt;adalink_file&gt;]
	[-STANDARD=&lt;standard_file&gt;]
	[-VISTRA_LOG=&lt;vistra_log_file&gt;]
	[-RIONAME=&lt;rio_file&gt;]
	[-WITHSEPARATE]
	[-TSF=&lt;tsf_file&gt;]
	[-NOEDIT]
	[-LEARN|-NOLEARN]
	[-XT=&lt;level&gt;[,level]]
</source>
        <translation>
Utilisation de zentaprepro :
	&lt;test_script_file&gt;
	&lt;generated_file&gt;
	&lt;rep_file_rio&gt;
	[-LANGUAGE=&lt;language_name&gt;]
	[-VERSION=&lt;version_nb&gt;]
	[-TARGET=&lt;target_name&gt;]
	[-OPERATION=&lt;operation_name&gt;[,operation_name]]
	[-SERVICE=&lt;service_name&gt;[,service_name]]
	[-TEST=&lt;test_name&gt;[,test_name]]
	[-FAMILY=&lt;family_name&gt;[,family_name]]
	[-EXOPERATION=&lt;exoperation_name&gt;[,exoperation_name]]
	[-EXSERVICE=&lt;exservice_name&gt;[,exservice_name]]
	[-EXTEST=&lt;extest_name&gt;[,extest_name]]
	[-EXFAMILY=&lt;exfamily_name&gt;[,exfamily_name]]
	[-INCL=&lt;directory&gt;[,directory]]
	[-DEFINE=&lt;identifier&gt;[,identifier]]
	[-NOSIMULATION]
	[-E=&lt;Max_error_displayed&gt;]
	[-W=&lt;Max_warning_displayed&gt;]
	[-CONST=&lt;const_file&gt;]
	[-SOURCE=&lt;source_file&gt;]
	[-COMMAND|-NOCOMMAND=&lt;command&gt;]
	[-STRVER|-NOSTRVER=&lt;strvers&gt;]
	[-RESTRICTION=&lt;ADA83|NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP&gt;[=ADA83|NOALLOC|SEPAR|NOSQLSAV|ANSI|KR|NOPOS|NOIMAGE|NOEXCEP]]
	[-SYSCOMP=&lt;NT|DOS|OS2|VMS|UNIX&gt;]
	[-SUB_SYSTEM|-NOSUB_SYSTEM]
	[-SYSTEM|-NOSYSTEM]
	[-SS|-NOSS]
	[-FAST|-NOFAST]
	[-EXPAND|-NOEXPAND]
	[-COMPRESS|-NOCOMPRESS]
	[-CLASS=&lt;class_name&gt;]
	[-DBMS=&lt;dbms_name&gt;]
	[-DATA=&lt;data_file&gt;]
	[-NOANALYZE]
	[-NOPATH]
	[-STD_DEFINE=&lt;define_file&gt;]
	[-RENAME=&lt;rename_file&gt;]
	[-SYMBTAB=&lt;symbtab_file&gt;]
	[-ADALINK=&lt;adalink_file&gt;]
	[-STANDARD=&lt;standard_file&gt;]
	[-VISTRA_LOG=&lt;vistra_log_file&gt;]
	[-RIONAME=&lt;rio_file&gt;]
	[-WITHSEPARATE]
	[-TSF=&lt;tsf_file&gt;]
	[-NOEDIT]
	[-LEARN|-NOLEARN]
	[-XT=&lt;level&gt;[,level]]
</translation>
    </message>
</context>
</TS>
