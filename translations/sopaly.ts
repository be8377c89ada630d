<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="es">
<context>
    <name>Batch</name>
    <message>
        <source>Creando y Salvando el Rompecabezas en: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>«Generar y Guardar» no puede guardar estas letras en sus archivos: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Cambie o quite esas palabras de la lista para generar los rompecabezas; la hoja de trabajo en PDF sí las imprime.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>«Generar y Guardar» no puede guardar estas letras del mensaje secreto en sus archivos: %1. Cambie el mensaje secreto para generar los rompecabezas; la hoja de trabajo en PDF y el juego para la clase sí lo imprimen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>El número de rompecabezas debe ser un número entero de 1 a 2147483647.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClassroomSet</name>
    <message>
        <source>versión %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>FICHERO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lista de palabras, una por línea (repetible);
- lee la entrada estándar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>filas de la cuadrícula, de 5 a 20 (20)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>columnas de la cuadrícula, de 5 a 20 (20)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>máximo de palabras (100)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>facil: solo filas y columnas;
master: también en diagonal (master)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>forma de la cuadrícula (cuadrada)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>letras en minúscula</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TEXTO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mensaje secreto en las casillas libres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la hoja no muestra la lista de palabras</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>título de la hoja (nombre de la primera lista)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la misma semilla hace los mismos rompecabezas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>versiones de --juego, de 1 a 200 (30)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cuántos archivos escribe --texto (1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>muestra esta ayuda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>muestra la versión</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FICHERO.pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hoja de trabajo en PDF, con su solución</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>juego para la clase en PDF, una versión por
alumno, con sus soluciones</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CARPETA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>archivos de texto Tabloza1.txt... en CARPETA,
como «Generar y Guardar»</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valor no válido para --%1: «%2» (%3).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>un número entero de 0 a %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No se pidió ningún archivo: indique %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Falta la lista de palabras: indique --lista FICHERO.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Argumento de más: «%1».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uso: sopaly [OPCIÓN]... --lista FICHERO --hoja FICHERO.pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hace sopas de letras sin abrir la ventana; sin opciones abre la ventana.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Palabras y rompecabezas:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Archivos que se escriben (uno o más):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Otras opciones:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Estado de salida:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  0  se escribieron todos los archivos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  1  uso incorrecto (opción desconocida, falta un valor o la lista)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  3  no se pudo escribir un archivo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ejemplo: sopaly --lista animales.txt --semilla 7 --hoja animales.pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Más información: man sopaly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pruebe «sopaly --help» para más información.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Semilla: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(entrada estándar)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sopa de letras</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>El número de versiones debe ser un número entero de %1 a %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Versión %1 de %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Página %1 de %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rompecabezas %1 de %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FICHERO.html</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>página web que se juega sola, sin conexión</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FICHERO.zip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>paquete SCORM 1.2 de la página, para Moodle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tamaño de letra de la hoja (normal)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la hoja en letra de lectura fácil (Andika)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileRoad</name>
    <message>
        <source>No se pudo crear el PDF %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sopa</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Imprimir Rompecabezas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cerrar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Imprimir</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Guardar PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No hay ninguna impresora predeterminada: el rompecabezas no se imprimió.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No se pudo imprimir el rompecabezas en «%1».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Guardar PDF</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Form3</name>
    <message>
        <source>Gracias por elegir Sopaly!!!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click para continuar...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ddddddd</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Animación de Sopaly</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlayGame</name>
    <message>
        <source>Encontradas: %1 de %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Encuentra las %n palabras escondidas.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>¡Muy bien! Encontraste las %n palabras en %1</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>y usaste %n pistas.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PlayGrid</name>
    <message>
        <source>vacía</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, fila %1, columna %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, encontrada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sopa de letras de %1 filas y %2 columnas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>columna %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fila %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgramFolder</name>
    <message>
        <source>Sopaly usa la carpeta %1. Hay otra carpeta Sopaly en %2, que Sopaly deja como está.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 no es una carpeta. Sopaly guarda ahora sus archivos en %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La carpeta %1 ya no existe. Sopaly guarda ahora sus archivos en %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No se pudo crear la carpeta %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Prompts</name>
    <message>
        <source>Listo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Por Favor Escriba el Nombre del Rompecabezas.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Documentos PDF (*.pdf);;Todos los archivos (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Archivos de texto (*.txt);;Todos los archivos (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mensaje secreto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Escribe un mensaje corto: sus letras ocupan las primeras
casillas libres. Déjalo vacío para no poner ninguno.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Juego para la clase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>¿Cuántas versiones? (de %1 a %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>¿Restablecer los valores iniciales?

El tamaño de la cuadrícula, el máximo de palabras, la dificultad, el número de rompecabezas, las versiones para la clase y las opciones vuelven a sus valores iniciales. La lista de palabras, las carpetas y el mensaje secreto no cambian.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>¿Reemplazar las %n palabras de la lista?</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Páginas web (*.html *.htm);;Todos los archivos (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paquetes SCORM (*.zip);;Todos los archivos (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Puzzle</name>
    <message>
        <source>El número de filas debe ser un número de 5 a 20.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>El número de columnas debe ser un número de 5 a 20.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 se lee también dentro de %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Se leen más de una vez: %1.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PuzzleFileReader</name>
    <message>
        <source>La línea %1 de %2 no es una fila de la cuadrícula.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 termina en la línea %2, antes de acabar el rompecabezas.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La solución de %1 no coincide con la cuadrícula en la fila %2, columna %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La letra de la fila %2, columna %3 de la solución de %1 no es de ninguna palabra de la lista.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 no es un rompecabezas de Sopaly.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 no tiene ninguna palabra para buscar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La solución de %1 no tiene el tamaño de la cuadrícula.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La cuadrícula de %1 tiene %2 × %3 casillas: Sopaly las hace de 5 a 20 por lado.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No se pudo abrir el rompecabezas %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SafeWrite</name>
    <message>
        <source>disco lleno</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cuota de disco agotada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>permiso denegado</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>el disco es de solo lectura</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la carpeta no existe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la ruta no es una carpeta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ya existe una carpeta con ese nombre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>el archivo es demasiado grande</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>error de entrada/salida del disco</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>el nombre es demasiado largo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>demasiados enlaces simbólicos en la ruta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>el archivo está en uso</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>error del sistema %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No se pudo guardar el archivo %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScormPackage</name>
    <message>
        <source>No se pudo crear el paquete %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SecretMessage</name>
    <message numerus="yes">
        <source>El mensaje secreto no se puso: %n de sus letras no caben.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>El mensaje secreto no se puso: hacía leer una palabra en dos sitios.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>El mensaje secreto no cupo en %1 de %n versiones.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>El mensaje secreto no cupo en %1 de %n rompecabezas.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>No se pudo guardar la configuración en %1: Sopaly no recordará sus preferencias la próxima vez.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Shape</name>
    <message>
        <source>Cuadrada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Círculo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corazón</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Estrella</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rombo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Árbol</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>El rombo necesita al menos %1 × %1; a %2 × %3 apenas se reconoce.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>El círculo necesita al menos %1 × %1; a %2 × %3 apenas se reconoce.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>El corazón necesita al menos %1 × %1; a %2 × %3 apenas se reconoce.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La estrella necesita al menos %1 × %1; a %2 × %3 apenas se reconoce.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>El árbol necesita al menos %1 × %1; a %2 × %3 apenas se reconoce.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Sopaly necesita una sesión gráfica (X11 o Wayland); no se indicó ninguna (DISPLAY y WAYLAND_DISPLAY están vacías): ábralo desde el escritorio, por «ssh -X» o bajo «xvfb-run».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sopaly no pudo abrir su ventana en la pantalla «%1»; Qt dice:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sopaly necesita una sesión gráfica (X11 o Wayland); la pantalla «%1» no acepta la conexión (¿una sesión «ssh -X» ya cerrada?): ábralo desde el escritorio, por una nueva «ssh -X» o bajo «xvfb-run».</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusText</name>
    <message>
        <source> No caben: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Fuera del máximo: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 de %n palabras en la cuadrícula.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message>
        <source>es</source>
        <comment>the language code of the page&apos;s texts</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Esta página necesita JavaScript para jugar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sopa de letras</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>¡Muy bien! Encontraste la palabra en %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>¡Muy bien! Encontraste la palabra en %1 y usaste una pista.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>¡Muy bien! Encontraste la palabra en %1 y usaste %2 pistas.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>¡Muy bien! Encontraste las %n palabras en %1.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>¡Muy bien! Encontraste las %n palabras en %1 y usaste una pista.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>¡Muy bien! Encontraste las %n palabras en %1 y usaste %2 pistas.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Palabras para buscar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tiempo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pista</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rendirse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrastra desde la primera letra de una palabra hasta la última, o toca la primera y luego la última. Con el teclado: las flechas mueven, Espacio o Intro marca la primera letra y la última.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Encontradas: %1 de %n</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Encontrada: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>encontrada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No es ninguna de las palabras escondidas.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Primera letra marcada; ahora marca la última.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pista: una palabra empieza en la fila %1, columna %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Las palabras que faltaban quedan marcadas en gris.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WordList</name>
    <message>
        <source>«%1»</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 palabras añadidas de %2</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> (%1 ya estaban en la lista)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source> Sin letras ni números, no se añadieron: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sin letras ni números no hay nada que buscar en la sopa: no se añadieron %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La lista ya tiene %1 palabras, todas las que caben.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Quite alguna para añadir otra.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> No se añadieron %1 palabras; quite algunas para añadirlas.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WordListFile</name>
    <message>
        <source>el archivo no existe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no es un archivo de texto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>el archivo pasa de 1 MiB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no se puede leer el archivo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>la lista pasaría de %1 palabras</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No se pudo abrir la lista de palabras %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La lista de palabras %1 no tiene ninguna palabra: no se añadió nada.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Las líneas %1 de la lista de palabras %2 no son texto válido: no se añadió.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Worksheet</name>
    <message>
        <source>No caben en la cuadrícula: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fuera del máximo de palabras: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mensaje secreto: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solución</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Encuentra las %n palabras escondidas.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Las primeras %n letras que sobran, leídas en orden, forman un mensaje secreto.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>letra muy grande</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>letra grande</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La cuadrícula de %1 × %2 no cabe en la hoja con %3: se imprime a %4 puntos.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WorksheetPreview</name>
    <message>
        <source>Imprimir hoja de trabajo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sopaly::PlayWindow</name>
    <message>
        <source>Jugar - Sopaly!!!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tiempo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Palabras</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Pista</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rendirse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cerrar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, encontrada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pista: una palabra empieza en la fila %1, columna %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sopaly::ProgressWindow</name>
    <message>
        <source>Cancelar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sopaly::frmMain</name>
    <message>
        <source>Abrir lista de palabras</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Guardar lista de palabras</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>palabras.txt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lista guardada en</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Guardar hoja de trabajo en PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hoja guardada en</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Guardar juego para la clase en PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preparando las versiones para la clase...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Juego guardado en</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>El mensaje secreto &quot;%1&quot; no tiene ninguna letra ni cifra: no se pondrá en la sopa.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cuadrada</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Círcu&amp;lo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cora&amp;zón</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Estrella</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rombo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ár&amp;bol</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sopaly!!!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Acerca de...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Web Site Sopaly!!!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A&amp;rchivo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Abrir lista de palabras...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Guardar lista de palabras...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hoja de trabajo en PDF...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Juego para la clase en PDF...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Imprimir hoja de trabajo...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Opciones</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Letras &amp;minúsculas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Forma</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mensaje &amp;secreto...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ocultar la lista en la hoja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restablecer valores iniciales</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Escribe aquí las Palabras</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type in word and press ENTER key.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quitar Palabra</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Highlight a word and click here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cuadricula</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Min 5, Max 20</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Columnas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximo de Palabras</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How many words from the list for this puzzle. Words are picked by random.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source># de Rompecabezas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Generar y Guardar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create lots of puzzles as text files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Un Momento por Favor... </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rompecabezas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dificultad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;M&amp;aster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Facil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No diagonal words</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Iniciar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creat a new puzzle using the word in the list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Vista Preeliminar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add the random letters. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&amp;mprimir</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put the puzzle in a text file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Limpiar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thank you for using Sopaly!!!.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Como Hacer Rompecabezas?  Primero escribe las palabras usando ENTER para agregarlas a la lista. Una vez que tengas las palabras a Revolver, presiona el boton Iniciar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Para que este Software siga Gratuito Visita Nuestros Patrocinadores        ------------&gt;CLICK AQUI&lt;------------</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abrir rompecabezas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abrir &amp;rompecabezas...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jugar en &amp;pantalla...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exportar para el navegador</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Página guardada en</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exportar para Moodle (SCORM)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paquete guardado en</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exportar para el &amp;navegador (HTML)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exportar para &amp;Moodle (SCORM)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tamaño de letra</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Grande</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Muy grande</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Letra de &amp;lectura fácil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lista de palabras</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Las palabras que quedaron fuera del rompecabezas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Anuncio del patrocinador</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Al hacer clic se abre la página del patrocinador en el navegador.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
