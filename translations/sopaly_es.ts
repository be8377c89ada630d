<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="es">
<context>
    <name>PlayGame</name>
    <message numerus="yes">
        <source>Encuentra las %n palabras escondidas.</source>
        <translation>
            <numerusform>Encuentra la palabra escondida.</numerusform>
            <numerusform>Encuentra las %n palabras escondidas.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>¡Muy bien! Encontraste las %n palabras en %1</source>
        <translation>
            <numerusform>¡Muy bien! Encontraste la palabra en %1</numerusform>
            <numerusform>¡Muy bien! Encontraste las %n palabras en %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>y usaste %n pistas.</source>
        <translation>
            <numerusform>y usaste %n pista.</numerusform>
            <numerusform>y usaste %n pistas.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Prompts</name>
    <message numerus="yes">
        <source>¿Reemplazar las %n palabras de la lista?</source>
        <translation>
            <numerusform>¿Reemplazar la palabra de la lista?</numerusform>
            <numerusform>¿Reemplazar las %n palabras de la lista?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Puzzle</name>
    <message numerus="yes">
        <source>Se leen más de una vez: %1.</source>
        <translation>
            <numerusform>%1 se lee más de una vez.</numerusform>
            <numerusform>Se leen más de una vez: %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SecretMessage</name>
    <message numerus="yes">
        <source>El mensaje secreto no se puso: %n de sus letras no caben.</source>
        <translation>
            <numerusform>El mensaje secreto no se puso: %n de sus letras no cabe.</numerusform>
            <numerusform>El mensaje secreto no se puso: %n de sus letras no caben.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>El mensaje secreto no cupo en %1 de %n versiones.</source>
        <translation>
            <numerusform>El mensaje secreto no cupo en %1 de %n versión.</numerusform>
            <numerusform>El mensaje secreto no cupo en %1 de %n versiones.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>El mensaje secreto no cupo en %1 de %n rompecabezas.</source>
        <translation>
            <numerusform>El mensaje secreto no cupo en %1 de %n rompecabezas.</numerusform>
            <numerusform>El mensaje secreto no cupo en %1 de %n rompecabezas.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StatusText</name>
    <message numerus="yes">
        <source>%1 de %n palabras en la cuadrícula.</source>
        <translation>
            <numerusform>%1 de %n palabra en la cuadrícula.</numerusform>
            <numerusform>%1 de %n palabras en la cuadrícula.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message numerus="yes">
        <source>¡Muy bien! Encontraste las %n palabras en %1.</source>
        <translation>
            <numerusform>¡Muy bien! Encontraste la palabra en %1.</numerusform>
            <numerusform>¡Muy bien! Encontraste las %n palabras en %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>¡Muy bien! Encontraste las %n palabras en %1 y usaste una pista.</source>
        <translation>
            <numerusform>¡Muy bien! Encontraste la palabra en %1 y usaste una pista.</numerusform>
            <numerusform>¡Muy bien! Encontraste las %n palabras en %1 y usaste una pista.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>¡Muy bien! Encontraste las %n palabras en %1 y usaste %2 pistas.</source>
        <translation>
            <numerusform>¡Muy bien! Encontraste la palabra en %1 y usaste %2 pistas.</numerusform>
            <numerusform>¡Muy bien! Encontraste las %n palabras en %1 y usaste %2 pistas.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Encontradas: %1 de %n</source>
        <translation>
            <numerusform>Encontradas: %1 de %n</numerusform>
            <numerusform>Encontradas: %1 de %n</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WordList</name>
    <message numerus="yes">
        <source>%1 palabras añadidas de %2</source>
        <translation>
            <numerusform>%1 palabra añadida de %2</numerusform>
            <numerusform>%1 palabras añadidas de %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> (%1 ya estaban en la lista)</source>
        <translation>
            <numerusform> (%1 ya estaba en la lista)</numerusform>
            <numerusform> (%1 ya estaban en la lista)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WordListFile</name>
    <message numerus="yes">
        <source>Las líneas %1 de la lista de palabras %2 no son texto válido: no se añadió.</source>
        <translation>
            <numerusform>La línea %1 de la lista de palabras %2 no es texto válido: no se añadió.</numerusform>
            <numerusform>Las líneas %1 de la lista de palabras %2 no son texto válido: no se añadió.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Worksheet</name>
    <message numerus="yes">
        <source>Las primeras %n letras que sobran, leídas en orden, forman un mensaje secreto.</source>
        <translation>
            <numerusform>La primera letra que sobra, leída en orden, forma un mensaje secreto.</numerusform>
            <numerusform>Las primeras %n letras que sobran, leídas en orden, forman un mensaje secreto.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Encuentra las %n palabras escondidas.</source>
        <translation>
            <numerusform>Encuentra la palabra escondida.</numerusform>
            <numerusform>Encuentra las %n palabras escondidas.</numerusform>
        </translation>
    </message>
</context>
</TS>
