#include "CatalogueSchema.h"

QStringList CreationScriptHead()
{
    return {
        QStringLiteral("-- "),
        QStringLiteral("-- CREATING DATABASE"),
        QStringLiteral("-- "),
        QStringLiteral(" "),
        QStringLiteral("CREATE DATABASE IF NOT EXISTS `SERVICE_ARGENTLEAF`; USE `SERVICE_ARGENTLEAF`; "),
        QStringLiteral(" "),
        QStringLiteral("-- "),
        QStringLiteral("-- CREATING TABLE PARAMETRS"),
        QStringLiteral("-- "),
        QStringLiteral(" "),
        QStringLiteral(
            "DROP TABLE IF EXISTS `PARAMETERS`; CREATE TABLE `PARAMETERS` (`name` varchar(60) NOT NULL "
            "DEFAULT '', `value` varchar(100) NOT NULL DEFAULT '') ENGINE=InnoDB DEFAULT CHARSET=utf8; "),
        QStringLiteral("LOCK TABLES `PARAMETERS` WRITE;"),
    };
}

QStringList CreationScriptTail()
{
    return {
        QStringLiteral("UNLOCK TABLES;"),
        QStringLiteral(" "),
        QStringLiteral("-- "),
        QStringLiteral("-- DATA TABLES FROM TECDOC"),
        QStringLiteral("-- "),
        QStringLiteral(" "),
        QStringLiteral(
            "DROP TABLE IF EXISTS `PARTS`; CREATE TABLE `PARTS` (`ARTID` int(11) NOT NULL, `SUPID` int(11) "
            "NOT NULL, `GAID` int(11) NOT NULL, `CODEPART` varchar(70) NOT NULL, `FREECODEPART` "
            "varchar(70) NOT NULL, PRIMARY KEY (`ARTID`), KEY `SUPID` (`SUPID`), KEY `FREECODEPART` "
            "(`FREECODEPART`), KEY `GAID` (`GAID`)) ENGINE=InnoDB DEFAULT CHARSET=utf8; "),
        QStringLiteral(
            "DROP TABLE IF EXISTS `SUPPLIERS`; CREATE TABLE `SUPPLIERS` (`SUPID` int(11) NOT NULL, "
            "`BRAND` varchar(60) NOT NULL, PRIMARY KEY (`SUPID`)) ENGINE=InnoDB DEFAULT CHARSET=utf8; "),
        QStringLiteral(
            "DROP TABLE IF EXISTS `TRADEGROUPS`; CREATE TABLE `TRADEGROUPS` (`GAID` int(11) NOT NULL, "
            "`LNGID` int(11) NOT NULL, `TEXTID` int(11) NOT NULL, KEY `GAID_LNGID` (`GAID`, `LNGID`)) "
            "ENGINE=InnoDB DEFAULT CHARSET=utf8; "),
        QStringLiteral(
            "DROP TABLE IF EXISTS `SYSTEMGROUPS`; CREATE TABLE `SYSTEMGROUPS` (`GAID` int(11) NOT NULL, "
            "`LNGID` int(11) NOT NULL, `TEXTID` int(11) NOT NULL, KEY `GAID_LNGID` (`GAID`, `LNGID`)) "
            "ENGINE=InnoDB DEFAULT CHARSET=utf8; "),
        QStringLiteral(
            "DROP TABLE IF EXISTS `DATATEXT`; CREATE TABLE `DATATEXT` (`TEXTID` int(11) NOT NULL, `NAME` "
            "varchar(1200) NOT NULL, PRIMARY KEY (`TEXTID`)) ENGINE=InnoDB DEFAULT CHARSET=utf8; "),
        QStringLiteral(
            "DROP TABLE IF EXISTS `LANGUAGES`; CREATE TABLE `LANGUAGES` (`LNGID` int(11) NOT NULL, `NAME` "
            "varchar(5) NOT NULL, PRIMARY KEY (`LNGID`)) ENGINE=InnoDB DEFAULT CHARSET=utf8; "),
        QStringLiteral(
            "DROP TABLE IF EXISTS `MANUFACTURERS`; CREATE TABLE `MANUFACTURERS` (`MFAID` int(11) NOT "
            "NULL, `NAME` varchar(60) NOT NULL, PRIMARY KEY (`MFAID`), KEY `NAME` (`NAME`)) "
            "ENGINE=InnoDB DEFAULT CHARSET=utf8; "),
        // The two blanks before PRIMARY KEY are part of the script as it has always been written.
        QStringLiteral(
            "DROP TABLE IF EXISTS `MODELS`; CREATE TABLE `MODELS` (`MODID` int(11) NOT NULL, `MFAID` "
            "int(11) NOT NULL, `YSTART` int(11) NOT NULL DEFAULT '0', `YSTOP` int(11) NOT NULL DEFAULT "
            "'0', `TEXTID` int(11) NOT NULL,  PRIMARY KEY (`MODID`), KEY `MFAID` (`MFAID`)) "
            "ENGINE=InnoDB DEFAULT CHARSET=utf8; "),
    };
}

QStringList CreationScriptLines(const QString& versionInsert)
{
    QStringList lines = CreationScriptHead();
    if (!versionInsert.isEmpty())
        lines << versionInsert;
    lines << CreationScriptTail();
    return lines;
}
