#!/usr/bin/env python3
"""Writes Orvella's language database, Spoken.DBF, from the string table below.

    python3 make_spoken.py            # writes Spoken.DBF next to this script
    python3 make_spoken.py OUT        # writes OUT instead
    python3 make_spoken.py --check    # only verifies the existing Spoken.DBF

The program's loader seeks straight to each language's section by the byte
position recorded in the header, so those positions are computed here from the
finished bytes rather than typed by hand; a hand-edited Spoken.DBF drifts the
moment one text changes length. After writing, the file is read back the way
the program reads it, and the access keys of every menu and dialog are checked
for clashes in every language.

Texts use "\\n" for a line break (stored as "~~") and "&" before a menu or
button's access key. A text that starts or ends with a blank is stored in
double quotes, because the loader does not trim texts and the quotes are the
only way to keep such blanks visible and safe from editors.
"""

import sys
from pathlib import Path

# Database order; the program's default language number is 2 (English). The
# section names double as the names typed after the /L= switch, so they stay
# plain ASCII.
LANGUAGES = [("Espanol", "es"), ("English", "en"), ("Francais", "fr"), ("Deutsch", "de")]

BASE = 1000
STEP = 2
LAST = 1648
NUM_STRINGS = (LAST - BASE) // STEP + 1

# (number, what it labels, English, Spanish, French, German)
STRINGS = [
    # Main window: menus
    (1066, "File menu",
     "&File", "&Archivo", "&Fichier", "&Datei"),
    (1080, "File > New",
     "&New", "&Nuevo", "&Nouveau", "&Neu"),
    (1084, "File > Open",
     "&Open...", "&Abrir...", "&Ouvrir...", "Ö&ffnen..."),
    (1092, "File > Save",
     "&Save", "&Guardar", "&Enregistrer", "&Speichern"),
    (1266, "File > Save As",
     "Save &As...", "Guardar &como...", "Enregistrer &sous...", "Speichern &unter..."),
    (1088, "File > Print; also the confirm button of the print dialog",
     "&Print...", "&Imprimir...", "&Imprimer...", "&Drucken..."),
    (1238, "File > Preferences",
     "Pr&eferences...", "&Preferencias...", "&Préférences...", "&Einstellungen..."),
    (1076, "File > Language",
     "&Language...", "I&dioma...", "&Langue...", "Sp&rache..."),
    (1154, "File > Exit",
     "E&xit", "&Salir", "&Quitter", "&Beenden"),
    (1062, "Edit menu (also the right-click menu of a cover window)",
     "&Edit", "&Edición", "É&dition", "&Bearbeiten"),
    (1056, "Edit > Copy",
     "&Copy", "&Copiar", "&Copier", "&Kopieren"),
    (1086, "Edit > Paste",
     "&Paste", "Pe&gar", "C&oller", "&Einfügen"),
    (1072, "Edit > Insert picture",
     "&Insert picture...", "&Insertar imagen...", "&Insérer une image...",
     "Bild e&infügen..."),
    (1060, "Edit > Delete picture",
     "&Delete picture", "&Eliminar imagen", "&Supprimer l'image", "Bild &löschen"),
    (1064, "Edit > Insert object (opens the face's picture in the external editor)",
     "Insert &object...", "Insertar &objeto...", "Insérer un o&bjet...",
     "&Objekt einfügen..."),
    (1096, "Window menu",
     "&Window", "&Ventana", "Fe&nêtre", "&Fenster"),
    (1048, "Window > Cascade",
     "&Cascade", "&Cascada", "&Cascade", "Ü&berlappend"),
    (1042, "Window > Arrange icons",
     "&Arrange icons", "&Organizar iconos", "&Réorganiser les icônes", "&Symbole anordnen"),
    (1070, "Help menu",
     "&Help", "Ay&uda", "&Aide", "&Hilfe"),
    (1054, "Help > Help contents",
     "&Help contents", "&Contenido de la ayuda", "&Sommaire de l'aide", "&Inhalt"),
    (1144, "Help > Cover sites",
     "Cover &sites...", "&Sitios de carátulas...", "Sites de p&ochettes...",
     "&Cover-Websites..."),
    (1312, "Help > the product's web site",
     "Orvella on the &web", "Orvella en la &web", "Orvella sur le &Web", "Orvella im &Web"),
    (1038, "Help > About",
     "&About Orvella...", "&Acerca de Orvella...", "À &propos d'Orvella...",
     "Ü&ber Orvella..."),

    # Main window: toolbar tool tips
    (1224, "Tool tip: New",
     "New cover set", "Nuevo juego de carátulas", "Nouveau jeu de pochettes",
     "Neues Cover-Set"),
    (1236, "Tool tip: Open",
     "Open an existing cover set", "Abrir un juego de carátulas existente",
     "Ouvrir un jeu de pochettes existant", "Vorhandenes Cover-Set öffnen"),
    (1274, "Tool tip: Save",
     "Save the cover set", "Guardar el juego de carátulas", "Enregistrer le jeu de pochettes",
     "Cover-Set speichern"),
    (1260, "Tool tip: Print",
     "Print the cover set", "Imprimir el juego de carátulas", "Imprimer le jeu de pochettes",
     "Cover-Set drucken"),
    (1140, "Tool tip: Copy",
     "Copy the picture to the clipboard", "Copiar la imagen al portapapeles",
     "Copier l'image dans le presse-papiers", "Bild in die Zwischenablage kopieren"),
    (1246, "Tool tip: Paste",
     "Paste a picture from the clipboard", "Pegar una imagen del portapapeles",
     "Coller une image du presse-papiers", "Bild aus der Zwischenablage einfügen"),
    (1156, "Tool tip: Insert object (external editor)",
     "Edit the picture in the external editor", "Editar la imagen en el editor externo",
     "Modifier l'image dans l'éditeur externe", "Bild im externen Programm bearbeiten"),
    (1202, "Tool tip: Insert picture",
     "Insert a picture from a file", "Insertar una imagen desde un archivo",
     "Insérer une image depuis un fichier", "Bild aus einer Datei einfügen"),
    (1296, "Tool tip: Help",
     "Show help", "Mostrar la ayuda", "Afficher l'aide", "Hilfe anzeigen"),

    # Cover window
    (1338, "Caption of the window of a cover set not yet saved",
     "Untitled cover set", "Juego de carátulas sin título", "Jeu de pochettes sans titre",
     "Unbenanntes Cover-Set"),
    (1166, "Tab of the Front face (the CD tab is the fixed \"&Cd\")",
     "F&ront", "&Portada", "A&vant", "&Vorderseite"),
    (1074, "Tab of the Inside face",
     "&Inside", "&Interior", "&Intérieur", "&Innenseite"),
    (1044, "Tab of the Back face",
     "&Back", "&Trasera", "A&rrière", "&Rückseite"),
    (1272, "Question when a changed cover set is closed",
     "The cover set has been changed.\nDo you want to save the changes?",
     "El juego de carátulas ha cambiado.\n¿Desea guardar los cambios?",
     "Le jeu de pochettes a été modifié.\nVoulez-vous enregistrer les modifications ?",
     "Das Cover-Set wurde geändert.\nMöchten Sie die Änderungen speichern?"),

    # Pictures that cannot be loaded (no file name follows)
    (1174, "Message: the Front picture file could not be loaded",
     "The Front picture file could not be loaded.\n"
     "It may be missing, unreadable or in a format that cannot be read.",
     "No se pudo cargar el archivo de imagen de la portada.\n"
     "Es posible que falte, que no se pueda leer o que su formato no sea compatible.",
     "Le fichier image de l'avant n'a pas pu être chargé.\n"
     "Il est peut-être absent, illisible ou dans un format non pris en charge.",
     "Die Bilddatei für die Vorderseite konnte nicht geladen werden.\n"
     "Möglicherweise fehlt sie, ist nicht lesbar oder hat ein nicht unterstütztes Format."),
    (1206, "Message: the Inside picture file could not be loaded",
     "The Inside picture file could not be loaded.\n"
     "It may be missing, unreadable or in a format that cannot be read.",
     "No se pudo cargar el archivo de imagen del interior.\n"
     "Es posible que falte, que no se pueda leer o que su formato no sea compatible.",
     "Le fichier image de l'intérieur n'a pas pu être chargé.\n"
     "Il est peut-être absent, illisible ou dans un format non pris en charge.",
     "Die Bilddatei für die Innenseite konnte nicht geladen werden.\n"
     "Möglicherweise fehlt sie, ist nicht lesbar oder hat ein nicht unterstütztes Format."),
    (1126, "Message: the Back picture file could not be loaded",
     "The Back picture file could not be loaded.\n"
     "It may be missing, unreadable or in a format that cannot be read.",
     "No se pudo cargar el archivo de imagen de la trasera.\n"
     "Es posible que falte, que no se pueda leer o que su formato no sea compatible.",
     "Le fichier image de l'arrière n'a pas pu être chargé.\n"
     "Il est peut-être absent, illisible ou dans un format non pris en charge.",
     "Die Bilddatei für die Rückseite konnte nicht geladen werden.\n"
     "Möglicherweise fehlt sie, ist nicht lesbar oder hat ein nicht unterstütztes Format."),
    (1134, "Message: the CD picture file could not be loaded",
     "The CD picture file could not be loaded.\n"
     "It may be missing, unreadable or in a format that cannot be read.",
     "No se pudo cargar el archivo de imagen del CD.\n"
     "Es posible que falte, que no se pueda leer o que su formato no sea compatible.",
     "Le fichier image du CD n'a pas pu être chargé.\n"
     "Il est peut-être absent, illisible ou dans un format non pris en charge.",
     "Die Bilddatei für die CD konnte nicht geladen werden.\n"
     "Möglicherweise fehlt sie, ist nicht lesbar oder hat ein nicht unterstütztes Format."),

    # Status bar while a picture loads
    (1216, "Status bar while the Front picture loads; its path follows directly",
     "Loading the Front picture: ", "Cargando la imagen de la portada: ",
     "Chargement de l'image avant : ", "Bild der Vorderseite wird geladen: "),
    (1218, "Status bar while the Inside picture loads; its path follows directly",
     "Loading the Inside picture: ", "Cargando la imagen del interior: ",
     "Chargement de l'image intérieure : ", "Bild der Innenseite wird geladen: "),
    (1212, "Status bar while the Back picture loads; its path follows directly",
     "Loading the Back picture: ", "Cargando la imagen de la trasera: ",
     "Chargement de l'image arrière : ", "Bild der Rückseite wird geladen: "),
    (1214, "Status bar while the CD picture loads; its path follows directly",
     "Loading the CD picture: ", "Cargando la imagen del CD: ",
     "Chargement de l'image du CD : ", "Bild der CD wird geladen: "),

    # File dialogs
    (1290, "Title of the Open and Save dialogs for cover-set files",
     "Cover set file", "Archivo de juego de carátulas", "Fichier de jeu de pochettes",
     "Cover-Set-Datei"),
    (1292, "Title of the dialog that chooses a picture file",
     "Choose a picture", "Elegir una imagen", "Choisir une image", "Bild auswählen"),
    (1276, "Title of the Save dialog for a face picture; a face suffix follows directly",
     "Save picture as bitmap ", "Guardar imagen como mapa de bits ",
     "Enregistrer l'image en bitmap ", "Bild als Bitmap speichern "),
    (1106, "Suffix of the 1276 title for the Front face",
     "[Front]", "[Portada]", "[Avant]", "[Vorderseite]"),
    (1108, "Suffix of the 1276 title for the Inside face",
     "[Inside]", "[Interior]", "[Intérieur]", "[Innenseite]"),
    (1102, "Suffix of the 1276 title for the Back face (the CD one is the fixed \"[CD]\")",
     "[Back]", "[Trasera]", "[Arrière]", "[Rückseite]"),
    (1288, "Title of the dialog that chooses the picture editor program",
     "Choose the picture editor", "Elegir el editor de imágenes", "Choisir l'éditeur d'images",
     "Bildbearbeitungsprogramm auswählen"),

    # Printing
    (1348, "Title of the print selection dialog",
     "Print cover set", "Imprimir juego de carátulas", "Imprimer le jeu de pochettes",
     "Cover-Set drucken"),
    (1172, "Print dialog: Front check box",
     "&Front", "&Portada", "&Avant", "&Vorderseite"),
    (1204, "Print dialog: Inside check box",
     "&Inside", "I&nterior", "In&térieur", "&Innenseite"),
    (1124, "Print dialog: Back check box (the CD box is the fixed \"CD\")",
     "&Back", "&Trasera", "A&rrière", "&Rückseite"),
    (1046, "Cancel button of every dialog",
     "Cancel", "Cancelar", "Annuler", "Abbrechen"),
    (1318, "Printed caption of the page with the Inside and Front faces",
     "Booklet: Inside (left) and Front (right)",
     "Folleto: interior (izquierda) y portada (derecha)",
     "Livret : intérieur (à gauche) et avant (à droite)",
     "Booklet: Innenseite (links) und Vorderseite (rechts)"),
    (1316, "Printed caption of the Back page",
     "Back insert", "Carátula trasera", "Jaquette arrière", "Rückseite"),
    (1192, "Printed caption of the CD page",
     "CD label", "Etiqueta del CD", "Étiquette du CD", "CD-Etikett"),

    # Preferences (its title and OK button are fixed texts)
    (1252, "Preferences: tab of the editor settings",
     "Editor", "Editor", "Éditeur", "Bildbearbeitung"),
    (1012, "Preferences: frame around the editor path and its browse button",
     "External &picture editor", "Editor de &imágenes externo", "Éditeur d'&images externe",
     "Externes &Bildbearbeitungsprogramm"),
    (1356, "Message: the current face has no picture for the external editor",
     "The current face has no picture to edit.\nInsert a picture first.",
     "La cara actual no tiene ninguna imagen que editar.\nInserte primero una imagen.",
     "La face actuelle n'a aucune image à modifier.\nInsérez d'abord une image.",
     "Die aktuelle Seite hat kein Bild zum Bearbeiten.\nFügen Sie zuerst ein Bild ein."),

    # Cover web sites
    (1142, "Title of the cover sites window",
     "Cover web sites", "Sitios web de carátulas", "Sites web de pochettes", "Cover-Websites"),
    (1040, "Cover sites: Add button",
     "&Add...", "&Agregar...", "&Ajouter...", "&Hinzufügen..."),
    (1058, "Cover sites: Delete button",
     "&Delete", "&Eliminar", "&Supprimer", "&Löschen"),
    (1078, "Cover sites: Edit button",
     "&Edit...", "E&ditar...", "&Modifier...", "&Bearbeiten..."),
    (1068, "Cover sites: Go button (opens the selected site in the browser)",
     "&Go", "&Ir", "&Visiter", "&Aufrufen"),
    (1052, "Cover sites: Close button",
     "&Close", "&Cerrar", "&Fermer", "&Schließen"),
    (1150, "Question before a site is deleted from the list",
     "Do you want to delete the selected site from the list?",
     "¿Desea eliminar de la lista el sitio seleccionado?",
     "Voulez-vous supprimer le site sélectionné de la liste ?",
     "Möchten Sie die ausgewählte Website aus der Liste löschen?"),
    (1226, "Title of the site dialog when adding",
     "Add site", "Agregar sitio", "Ajouter un site", "Website hinzufügen"),
    (1158, "Title of the site dialog when editing",
     "Edit site", "Editar sitio", "Modifier le site", "Website bearbeiten"),
    (1298, "Site dialog: label of the name field",
     "Site &name:", "&Nombre del sitio:", "&Nom du site :", "&Name der Website:"),
    (1300, "Site dialog: label of the address field",
     "Web &address:", "&Dirección web:", "&Adresse web :", "Web&adresse:"),

    # About box
    (1118, "About box title; the application title follows directly",
     "About ", "Acerca de ", "À propos de ", "Über "),
    (1342, "About box: placeholder of the version line (replaced at once)",
     "Version", "Versión", "Version", "Version"),
    (1344, "About box: version line; the version number follows directly",
     "Version ", "Versión ", "Version ", "Version "),
    (1132, "About box: what the program does",
     "Orvella makes the paper inserts of CD jewel cases: the front and inside of the "
     "booklet, the back insert and the disc label.",
     "Orvella crea las carátulas de papel para las cajas de CD: la portada y el interior "
     "del folleto, la carátula trasera y la etiqueta del disco.",
     "Orvella crée les jaquettes papier des boîtiers de CD : l'avant et l'intérieur du "
     "livret, la jaquette arrière et l'étiquette du disque.",
     "Orvella gestaltet die Papiereinleger für CD-Hüllen: Vorder- und Innenseite des "
     "Booklets, die Rückseite und das CD-Etikett."),
    (1320, "About box: licence line",
     "Orvella is free software under the GNU General Public License, version 2 or later.",
     "Orvella es software libre bajo la Licencia Pública General de GNU, versión 2 o "
     "posterior.",
     "Orvella est un logiciel libre distribué sous la licence publique générale GNU, "
     "version 2 ou ultérieure.",
     "Orvella ist freie Software unter der GNU General Public License, Version 2 oder "
     "später."),
    (1346, "About box: warranty disclaimer",
     "This program comes with ABSOLUTELY NO WARRANTY, to the extent permitted by law. "
     "You may redistribute it under the terms of the GNU General Public License.",
     "Este programa se ofrece SIN NINGUNA GARANTÍA, en la medida permitida por la ley. "
     "Puede redistribuirlo según los términos de la Licencia Pública General de GNU.",
     "Ce programme est fourni SANS AUCUNE GARANTIE, dans les limites permises par la loi. "
     "Vous pouvez le redistribuer selon les termes de la licence publique générale GNU.",
     "Dieses Programm wird OHNE JEDE GEWÄHRLEISTUNG bereitgestellt, soweit gesetzlich "
     "zulässig. Sie dürfen es unter den Bedingungen der GNU General Public License "
     "weitergeben."),
    (1094, "About box: button that starts System Information",
     "&System Info...", "&Información del sistema...", "&Informations système...",
     "&Systeminformationen..."),
    (1210, "Message: System Information cannot be started",
     "System Information is not available on this computer.",
     "La información del sistema no está disponible en este equipo.",
     "Les informations système ne sont pas disponibles sur cet ordinateur.",
     "Die Systeminformationen sind auf diesem Computer nicht verfügbar."),

    # Failures the program reports
    (1358, "Message: a cover-set file could not be written (line break and path follow)",
     "The cover set could not be saved to this file:",
     "No se pudo guardar el juego de carátulas en este archivo:",
     "Le jeu de pochettes n'a pas pu être enregistré dans ce fichier :",
     "Das Cover-Set konnte nicht in dieser Datei gespeichert werden:"),
    (1360, "Message: a face picture could not be written (line break and path follow)",
     "The picture could not be written to this file:",
     "No se pudo escribir la imagen en este archivo:",
     "L'image n'a pas pu être écrite dans ce fichier :",
     "Das Bild konnte nicht in diese Datei geschrieben werden:"),
    (1362, "Message: the printer could not be opened or printing failed",
     "The printer could not be opened, or printing failed.",
     "No se pudo abrir la impresora o se produjo un error al imprimir.",
     "L'imprimante n'a pas pu être ouverte, ou l'impression a échoué.",
     "Der Drucker konnte nicht geöffnet werden, oder das Drucken ist fehlgeschlagen."),
    (1364, "Message: the site list could not be written (line break and path follow)",
     "The list of cover sites could not be saved to this file:",
     "No se pudo guardar la lista de sitios de carátulas en este archivo:",
     "La liste des sites de pochettes n'a pas pu être enregistrée dans ce fichier :",
     "Die Liste der Cover-Websites konnte nicht in dieser Datei gespeichert werden:"),
    (1366, "Message: Go refused a non-web address (line break and address follow)",
     "Only web addresses (http, https, ftp) can be opened from this list:",
     "Desde esta lista solo se pueden abrir direcciones web (http, https, ftp):",
     "Seules les adresses web (http, https, ftp) peuvent être ouvertes depuis cette liste :",
     "Aus dieser Liste können nur Webadressen (http, https, ftp) geöffnet werden:"),
    (1368, "Question before a save dialog replaces a file (line break and path follow)",
     "This file already exists. Do you want to replace it?",
     "Este archivo ya existe. ¿Desea reemplazarlo?",
     "Ce fichier existe déjà. Voulez-vous le remplacer ?",
     "Diese Datei ist bereits vorhanden. Möchten Sie sie ersetzen?"),
    (1370, "Message: a save dialog refused a read-only file (line break and path follow)",
     "This file is read-only and cannot be replaced:",
     "Este archivo es de solo lectura y no se puede reemplazar:",
     "Ce fichier est en lecture seule et ne peut pas être remplacé :",
     "Diese Datei ist schreibgeschützt und kann nicht ersetzt werden:"),
    (1372, "Message: a save dialog named a missing folder (line break and path follow)",
     "This folder does not exist:", "Esta carpeta no existe:", "Ce dossier n'existe pas :",
     "Dieser Ordner ist nicht vorhanden:"),
    (1374, "Message: the help file is missing (line break and path follow)",
     "The help file could not be found:", "No se encontró el archivo de ayuda:",
     "Le fichier d'aide est introuvable :", "Die Hilfedatei wurde nicht gefunden:"),
    (1376, "Message: a picture file is too large to load",
     "The picture file is too large to be loaded.",
     "El archivo de imagen es demasiado grande para cargarlo.",
     "Le fichier image est trop volumineux pour être chargé.",
     "Die Bilddatei ist zu groß, um geladen zu werden."),
    (1380, "Message: Browse in the preferences refused a file that is no program "
           "(line break and path follow)",
     "This file is not a program that can be run. Choose the picture editor's program file:",
     "Este archivo no es un programa ejecutable. Elija el archivo de programa del editor "
     "de imágenes:",
     "Ce fichier n'est pas un programme exécutable. Choisissez le fichier programme de "
     "l'éditeur d'images :",
     "Diese Datei ist kein ausführbares Programm. Wählen Sie die Programmdatei des "
     "Bildbearbeitungsprogramms:"),
    (1382, "Message: Insert object with no editor named refused a face file that is no "
           "picture (line break and path follow)",
     "This file is not a picture, so it is not handed to another program:",
     "Este archivo no es una imagen, por lo que no se entrega a otro programa:",
     "Ce fichier n'est pas une image ; il n'est donc pas confié à un autre programme :",
     "Diese Datei ist kein Bild und wird daher keinem anderen Programm übergeben:"),
    (1384, "Cover sites: the list file exists but could not be read; it is left as it is "
           "(line break and path follow)",
     "The list of cover sites could not be read. The file is left unchanged:",
     "No se pudo leer la lista de sitios de carátulas. El archivo no se modifica:",
     "La liste des sites de pochettes n'a pas pu être lue. Le fichier reste inchangé :",
     "Die Liste der Cover-Websites konnte nicht gelesen werden. Die Datei bleibt "
     "unverändert:"),
    # The batch tool's messages on its terminal
    (1420, "orvella-batch: the usage shown by --help (several lines)",
     "Usage: orvella-batch [options] SET.ovc\n"
     "Prints the sheets of a cover set to a PDF file or to PNG pictures, without a display.\n"
     "\n"
     "  --faces LIST     faces to print: front, inside, back, cd, separated by commas\n"
     "                   (default: every face the set has a picture for)\n"
     "  --output FILE    the PDF to write (default: SET.pdf in the current folder)\n"
     "  --png FOLDER     PNG pictures instead: sheet-1.png, sheet-2.png ... in FOLDER\n"
     "  --dpi N          resolution, 1 to 2400 (default: 600 in a PDF, 300 for PNG)\n"
     "  --paper NAME     A4 (default) or Letter\n"
     "  --language NAME  language of the captions, as the language database names it\n"
     "  --offset X,Y     move every sheet by X,Y millimetres (each -10 to 10)\n"
     "  --scale X,Y      scale every sheet by X,Y per cent (each 95 to 105)\n"
     "  --cd-shape SHAPE rectangle, or round[:OUTER[:HOLE]] in mm, such as round:117:41\n"
     "                   (default: as the set has it)\n"
     "  --label-sheet NAME  the CD onto a sheet of round labels: a4-2, a4-3, letter-2\n"
     "                   or a sheet of your own\n"
     "  --positions LIST which labels of the sheet to fill, such as 1,3 (default: all)\n"
     "  --fold-marks on|off  marks where the Back folds (default: on)\n"
     "  -h, --help       show this help;  --version  show the version\n"
     "\n"
     "Exit status: 0 done, 2 bad arguments, 3 the set cannot be read,\n"
     "4 a picture cannot be loaded, 5 the output cannot be written,\n"
     "6 the language database cannot be loaded.",
     "Uso: orvella-batch [opciones] JUEGO.ovc\n"
     "Imprime las hojas de un juego de carátulas en un archivo PDF o en imágenes PNG, sin "
     "pantalla.\n"
     "\n"
     "  --faces LISTA      caras que imprimir: front, inside, back, cd, separadas por comas\n"
     "                     (predeterminado: todas las caras con imagen en el juego)\n"
     "  --output ARCHIVO   el PDF que escribir (predeterminado: JUEGO.pdf en la carpeta "
     "actual)\n"
     "  --png CARPETA      imágenes PNG en su lugar: sheet-1.png, sheet-2.png ... en CARPETA\n"
     "  --dpi N            resolución, de 1 a 2400 (predeterminado: 600 en un PDF, 300 en "
     "PNG)\n"
     "  --paper NOMBRE     A4 (predeterminado) o Letter\n"
     "  --language NOMBRE  idioma de los títulos, como lo nombra la base de datos de idiomas\n"
     "  --offset X,Y       desplaza cada hoja X,Y milímetros (cada uno de -10 a 10)\n"
     "  --scale X,Y        escala cada hoja X,Y por ciento (cada uno de 95 a 105)\n"
     "  --cd-shape FORMA   rectangle, o round[:EXTERIOR[:AGUJERO]] en mm, p. ej. round:117:41\n"
     "                     (predeterminado: la del juego)\n"
     "  --label-sheet NOMBRE  el CD en una hoja de etiquetas redondas: a4-2, a4-3, letter-2\n"
     "                     o una hoja propia\n"
     "  --positions LISTA  qué etiquetas de la hoja llenar, p. ej. 1,3 (predeterminado: todas)\n"
     "  --fold-marks on|off  marcas donde se pliega la trasera (predeterminado: on)\n"
     "  -h, --help         muestra esta ayuda;  --version  muestra la versión\n"
     "\n"
     "Estado de salida: 0 hecho, 2 argumentos incorrectos, 3 no se puede leer el juego,\n"
     "4 no se puede cargar una imagen, 5 no se puede escribir la salida,\n"
     "6 no se puede cargar la base de datos de idiomas.",
     "Usage : orvella-batch [options] JEU.ovc\n"
     "Imprime les feuilles d'un jeu de pochettes dans un fichier PDF ou en images PNG, sans "
     "écran.\n"
     "\n"
     "  --faces LISTE      faces à imprimer : front, inside, back, cd, séparées par des "
     "virgules\n"
     "                     (par défaut : toutes les faces du jeu qui ont une image)\n"
     "  --output FICHIER   le PDF à écrire (par défaut : JEU.pdf dans le dossier courant)\n"
     "  --png DOSSIER      des images PNG à la place : sheet-1.png, sheet-2.png ... dans "
     "DOSSIER\n"
     "  --dpi N            résolution, de 1 à 2400 (par défaut : 600 dans un PDF, 300 en PNG)\n"
     "  --paper NOM        A4 (par défaut) ou Letter\n"
     "  --language NOM     langue des légendes, telle que la base de données des langues la "
     "nomme\n"
     "  --offset X,Y       décale chaque feuille de X,Y millimètres (chacun de -10 à 10)\n"
     "  --scale X,Y        met chaque feuille à l'échelle de X,Y pour cent (chacun de 95 à "
     "105)\n"
     "  --cd-shape FORME   rectangle, ou round[:EXTÉRIEUR[:TROU]] en mm, p. ex. round:117:41\n"
     "                     (par défaut : celle du jeu)\n"
     "  --label-sheet NOM  le CD sur une planche d'étiquettes rondes : a4-2, a4-3, letter-2\n"
     "                     ou une planche à vous\n"
     "  --positions LISTE  les étiquettes de la planche à remplir, p. ex. 1,3 (par défaut : "
     "toutes)\n"
     "  --fold-marks on|off  repères de pliage de l'arrière (par défaut : on)\n"
     "  -h, --help         affiche cette aide ;  --version  affiche la version\n"
     "\n"
     "Code de sortie : 0 terminé, 2 arguments incorrects, 3 le jeu ne peut pas être lu,\n"
     "4 une image ne peut pas être chargée, 5 la sortie ne peut pas être écrite,\n"
     "6 la base de données des langues ne peut pas être chargée.",
     "Aufruf: orvella-batch [Optionen] SET.ovc\n"
     "Druckt die Blätter eines Cover-Sets ohne Bildschirm in eine PDF-Datei oder als "
     "PNG-Bilder.\n"
     "\n"
     "  --faces LISTE    zu druckende Seiten: front, inside, back, cd, durch Kommas getrennt\n"
     "                   (Standard: jede Seite, für die das Set ein Bild hat)\n"
     "  --output DATEI   die zu schreibende PDF-Datei (Standard: SET.pdf im aktuellen Ordner)\n"
     "  --png ORDNER     stattdessen PNG-Bilder: sheet-1.png, sheet-2.png ... in ORDNER\n"
     "  --dpi N          Auflösung, 1 bis 2400 (Standard: 600 im PDF, 300 bei PNG)\n"
     "  --paper NAME     A4 (Standard) oder Letter\n"
     "  --language NAME  Sprache der Beschriftungen, wie die Sprachdatenbank sie nennt\n"
     "  --offset X,Y     verschiebt jedes Blatt um X,Y Millimeter (je -10 bis 10)\n"
     "  --scale X,Y      skaliert jedes Blatt um X,Y Prozent (je 95 bis 105)\n"
     "  --cd-shape FORM  rectangle, oder round[:AUSSEN[:LOCH]] in mm, z. B. round:117:41\n"
     "                   (Standard: wie im Set)\n"
     "  --label-sheet NAME  die CD auf einen Bogen runder Etiketten: a4-2, a4-3, letter-2\n"
     "                   oder einen eigenen Bogen\n"
     "  --positions LISTE  welche Etiketten des Bogens, z. B. 1,3 (Standard: alle)\n"
     "  --fold-marks on|off  Falzmarken der Rückseite (Standard: on)\n"
     "  -h, --help       zeigt diese Hilfe;  --version  zeigt die Version\n"
     "\n"
     "Exit-Status: 0 fertig, 2 falsche Argumente, 3 das Set kann nicht gelesen werden,\n"
     "4 ein Bild kann nicht geladen werden, 5 die Ausgabe kann nicht geschrieben werden,\n"
     "6 die Sprachdatenbank kann nicht geladen werden."),
    (1422, "orvella-batch: an unknown option or value, or an option without its value (the "
        "option follows)",
     "Unknown option or value, or an option without its value:",
     "Opción o valor desconocido, u opción sin su valor:",
     "Option ou valeur inconnue, ou option sans sa valeur :",
     "Unbekannte Option oder unbekannter Wert, oder eine Option ohne ihren Wert:"),
    (1424, "orvella-batch: an unknown face name after --faces (the name follows; the names are "
        "not translated)",
     "Unknown face; the faces are front, inside, back and cd:",
     "Cara desconocida; las caras son front, inside, back y cd:",
     "Face inconnue ; les faces sont front, inside, back et cd :",
     "Unbekannte Seite; die Seiten heißen front, inside, back und cd:"),
    (1426, "orvella-batch: a value out of range (the option and its value follow)",
     "Value out of range: --dpi takes 1 to 2400, --offset X,Y from -10 to 10 mm each, "
     "--scale X,Y from 95 to 105 % each:",
     "Valor fuera de rango: --dpi admite de 1 a 2400, --offset X,Y de -10 a 10 mm cada uno, "
     "--scale X,Y de 95 a 105 % cada uno:",
     "Valeur hors limites : --dpi accepte de 1 à 2400, --offset X,Y de -10 à 10 mm chacun, "
     "--scale X,Y de 95 à 105 % chacun :",
     "Wert außerhalb des Bereichs: --dpi nimmt 1 bis 2400, --offset X,Y je -10 bis 10 mm, "
     "--scale X,Y je 95 bis 105 %:"),
    (1428, "orvella-batch: the output named would replace the set file or one of its pictures "
        "(the path comes first)",
     "This output would replace the cover set or one of its pictures:",
     "Esta salida reemplazaría el juego de carátulas o una de sus imágenes:",
     "Cette sortie remplacerait le jeu de pochettes ou l'une de ses images :",
     "Diese Ausgabe würde das Cover-Set oder eines seiner Bilder ersetzen:"),
    (1430, "orvella-batch: --language named no language of the database (the name and the "
        "database's names follow)",
     "The language database has no language of this name:",
     "La base de datos de idiomas no tiene ningún idioma con este nombre:",
     "La base de données des langues n'a aucune langue de ce nom :",
     "Die Sprachdatenbank enthält keine Sprache dieses Namens:"),
    (1432, "orvella-batch: the set file is missing or cannot be read (the path comes first)",
     "The cover set could not be read:",
     "No se pudo leer el juego de carátulas:",
     "Le jeu de pochettes n'a pas pu être lu :",
     "Das Cover-Set konnte nicht gelesen werden:"),
    (1434, "orvella-batch: faces to print have neither picture nor text in the set (the "
        "set's path comes first, the faces follow)",
     "The cover set has neither a picture nor text for these faces:",
     "El juego de carátulas no tiene imagen ni texto para estas caras:",
     "Le jeu de pochettes n'a ni image ni texte pour ces faces :",
     "Das Cover-Set hat für diese Seiten weder ein Bild noch Text:"),
    (1436, "orvella-batch: the PDF or a PNG picture could not be written (the path comes first)",
     "The output could not be written:",
     "No se pudo escribir la salida:",
     "La sortie n'a pas pu être écrite :",
     "Die Ausgabe konnte nicht geschrieben werden:"),
    (1438, "orvella-batch: no set file or more than one, or both --output and --png",
     "Name exactly one cover-set file, and at most one of --output and --png; see --help:",
     "Indique exactamente un archivo de juego de carátulas y como máximo una de --output y "
     "--png; consulte --help:",
     "Indiquez exactement un fichier de jeu de pochettes et au plus une des options --output "
     "et --png ; voir --help :",
     "Geben Sie genau eine Cover-Set-Datei an und höchstens eine der Optionen --output und "
     "--png; siehe --help:"),
    # Print preview, the printable area, printer calibration
    (1440, "File > Print preview; without its access key and dots, the preview's title",
     "Print pre&view...", "&Vista previa de impresión...", "&Aperçu avant impression...",
     "Druck&vorschau..."),
    (1442, "Question before printing: sheets reach beyond the printer's printable area (a line "
           "per sheet follows, then 1448)",
     "Part of these sheets lies outside the area this printer can print on and will be "
     "missing from the paper:",
     "Parte de estas hojas queda fuera del área que esta impresora puede imprimir y faltará "
     "en el papel:",
     "Une partie de ces feuilles sort de la zone que cette imprimante peut imprimer et "
     "manquera sur le papier :",
     "Ein Teil dieser Blätter liegt außerhalb des Bereichs, den dieser Drucker bedrucken kann, "
     "und fehlt auf dem Papier:"),
    (1444, "A line of 1442: %1 the sheet's number, %2 its printed caption, %3 the millimetres",
     "Sheet %1 (%2): %3 mm missing in width",
     "Hoja %1 (%2): faltan %3 mm de ancho",
     "Feuille %1 (%2) : il manque %3 mm en largeur",
     "Blatt %1 (%2): %3 mm fehlen in der Breite"),
    (1446, "A line of 1442: %1 the sheet's number, %2 its printed caption, %3 the millimetres",
     "Sheet %1 (%2): %3 mm missing in height",
     "Hoja %1 (%2): faltan %3 mm de alto",
     "Feuille %1 (%2) : il manque %3 mm en hauteur",
     "Blatt %1 (%2): %3 mm fehlen in der Höhe"),
    (1448, "The end of 1442 (Yes prints, No cancels)",
     "Print anyway?", "¿Imprimir de todos modos?", "Imprimer quand même ?", "Trotzdem drucken?"),
    (1450, "Preferences: tab of the printer calibration",
     "Printer", "Impresora", "Imprimante", "Drucker"),
    (1452, "Preferences, printer tab: label of the printer list",
     "Prin&ter:", "&Impresora:", "&Imprimante :", "&Drucker:"),
    (1454, "Preferences, printer tab: the entry of the list that prints to a PDF file",
     "PDF file", "Archivo PDF", "Fichier PDF", "PDF-Datei"),
    (1456, "Preferences, printer tab: label of the two offset fields (x, then y)",
     "O&ffset x, y (mm):", "&Desplazamiento x, y (mm):", "&Décalage x, y (mm) :",
     "&Versatz x, y (mm):"),
    (1458, "Preferences, printer tab: label of the two scale fields (x, then y)",
     "&Scale x, y (%):", "&Escala x, y (%):", "É&chelle x, y (%) :", "&Skalierung x, y (%):"),
    (1460, "Preferences, printer tab: button that prints the calibration page; without its "
           "access key, the title of the dialog asking for its PDF file",
     "Print &calibration page", "Imprimir página de &calibración",
     "Imprimer la page d'é&talonnage", "&Kalibrierseite drucken"),
    (1462, "Message: a calibration value was refused (line break and the typed text follow)",
     "Offsets are numbers from -10 to 10 mm and scales numbers from 95 to 105 %, with at most "
     "one decimal. This value cannot be used:",
     "Los desplazamientos son números de -10 a 10 mm y las escalas números de 95 a 105 %, con "
     "un decimal como máximo. Este valor no se puede usar:",
     "Les décalages sont des nombres de -10 à 10 mm et les échelles des nombres de 95 à 105 %, "
     "avec au plus une décimale. Cette valeur ne peut pas être utilisée :",
     "Versätze sind Zahlen von -10 bis 10 mm und Skalierungen Zahlen von 95 bis 105 %, mit "
     "höchstens einer Nachkommastelle. Dieser Wert kann nicht verwendet werden:"),
    (1464, "Printed on the calibration page: %1 the printer, %2 and %3 where the printable area "
           "starts on the paper, %4 to %7 the values in use (no-break spaces keep each value "
           "with its axis and unit)",
     "Calibration page for %1. The printable area starts %2\u00a0mm from the left edge and "
     "%3\u00a0mm from the top edge of the paper. Offset x\u00a0%4\u00a0mm, y\u00a0%5\u00a0mm; "
     "scale x\u00a0%6\u00a0%, y\u00a0%7\u00a0%.",
     "Página de calibración de %1. El área imprimible empieza a %2\u00a0mm del borde izquierdo "
     "y a %3\u00a0mm del borde superior del papel. Desplazamiento x\u00a0%4\u00a0mm, "
     "y\u00a0%5\u00a0mm; escala x\u00a0%6\u00a0%, y\u00a0%7\u00a0%.",
     "Page d'étalonnage de %1. La zone imprimable commence à %2\u00a0mm du bord gauche et à "
     "%3\u00a0mm du bord supérieur du papier. Décalage x\u00a0%4\u00a0mm, y\u00a0%5\u00a0mm ; "
     "échelle x\u00a0%6\u00a0%, y\u00a0%7\u00a0%.",
     "Kalibrierseite für %1. Der druckbare Bereich beginnt %2\u00a0mm vom linken und "
     "%3\u00a0mm vom oberen Papierrand. Versatz x\u00a0%4\u00a0mm, y\u00a0%5\u00a0mm; "
     "Skalierung x\u00a0%6\u00a0%, y\u00a0%7\u00a0%."),
    (1466, "Print preview: zoom to show a whole page",
     "Whole page", "Página completa", "Page entière", "Ganze Seite"),
    (1468, "Print preview: zoom to the page's width",
     "Page width", "Ancho de página", "Largeur de page", "Seitenbreite"),
    (1470, "Print preview: button that prints the pages shown",
     "&Print", "&Imprimir", "&Imprimer", "&Drucken"),
    (1472, "Edit > Undo (the last change of a face in this cover window)",
     "&Undo", "&Deshacer", "&Annuler", "&Rückgängig"),
    (1474, "Edit > Redo",
     "&Redo", "&Rehacer", "&Rétablir", "&Wiederherstellen"),
    (1476, "Message: a recent cover set chosen in the File menu is gone (%1 its path)",
     "The cover set %1 no longer exists. It has been removed from the recent cover sets.",
     "El juego de carátulas %1 ya no existe. Se ha quitado de los juegos de carátulas "
     "recientes.",
     "Le jeu de pochettes %1 n'existe plus. Il a été retiré des jeux de pochettes récents.",
     "Das Cover-Set %1 gibt es nicht mehr. Es wurde aus den zuletzt verwendeten Cover-Sets "
     "entfernt."),
    (1478, "Help window: tool tip of the button that goes back a page",
     "Back", "Atrás", "Précédent", "Zurück"),
    (1480, "Help window: tool tip of the button that goes forward a page",
     "Forward", "Adelante", "Suivant", "Vorwärts"),
    (1482, "Help window: tool tip of the button that shows the contents page",
     "Contents", "Contenido", "Sommaire", "Inhalt"),
    (1484, "orvella-batch: the file named is no cover set (the path comes first)",
     "This file is not a cover set:",
     "Este archivo no es un juego de carátulas:",
     "Ce fichier n'est pas un jeu de pochettes :",
     "Diese Datei ist kein Cover-Set:"),
    (1486, "orvella-batch: a PNG page at the --dpi asked for would need more than 512 MB "
           "(%1 the largest dpi that fits)",
     "A page at this resolution needs more than 512 MB of memory; the largest that fits is "
     "%1 dpi:",
     "Una página con esta resolución necesita más de 512 MB de memoria; la mayor que cabe "
     "es de %1 ppp:",
     "Une page à cette résolution demande plus de 512 Mo de mémoire ; la plus grande qui "
     "tienne est %1 ppp :",
     "Eine Seite in dieser Auflösung braucht mehr als 512 MB Speicher; die größte, die "
     "passt, ist %1 dpi:"),
    (1488, "orvella-batch: a text block does not fit its box (%1 the face, %2 the block's "
           "number on it; the set's path comes first)",
     "%1, text %2: the text does not fit its box and is cut off",
     "%1, texto %2: el texto no cabe en su recuadro y se corta",
     "%1, texte %2 : le texte ne tient pas dans son cadre et est coupé",
     "%1, Text %2: Der Text passt nicht in seinen Rahmen und wird abgeschnitten"),
    (1490, "Edit > Text (shows the Text panel, where the current face's text blocks are written)",
     "Te&xt", "&Texto", "&Texte", "&Text"),
    (1492, "Title of the Text panel (docked at the right of the main window)",
     "Text", "Texto", "Texte", "Text"),
    (1494, "Text panel: button adding a text block to the current face",
     "&Add text", "&Añadir texto", "&Ajouter un texte", "Text &hinzufügen"),
    (1496, "Text panel: button removing the selected text block",
     "&Delete text", "&Eliminar texto", "&Supprimer le texte", "Text &löschen"),
    (1498, "Text panel, Back face only: button writing the same line on both spines",
     "&Spine text", "Texto de los &lomos", "Texte des &tranches", "&Rückentext"),
    (1500, "Text panel: label of the font family",
     "&Font:", "&Fuente:", "&Police :", "Schrift&art:"),
    (1502, "Text panel: label of the font size in points",
     "Si&ze:", "Ta&maño:", "Tai&lle :", "&Größe:"),
    (1504, "Text panel: check box",
     "&Bold", "&Negrita", "&Gras", "&Fett"),
    (1506, "Text panel: check box",
     "&Italic", "Cursi&va", "&Italique", "&Kursiv"),
    (1508, "Text panel: button choosing the text's colour",
     "&Colour...", "&Color...", "&Couleur...", "Far&be..."),
    (1510, "Text panel: label of the alignment choice",
     "Ali&gnment:", "Alineac&ión:", "Aligne&ment :", "A&usrichtung:"),
    (1512, "Text panel: alignment", "Left", "Izquierda", "Gauche", "Links"),
    (1514, "Text panel: alignment", "Centre", "Centro", "Centre", "Mitte"),
    (1516, "Text panel: alignment", "Right", "Derecha", "Droite", "Rechts"),
    (1518, "Text panel: label of the rotation choice",
     "&Rotation:", "&Rotación:", "&Rotation :", "&Drehung:"),
    (1520, "Text panel: label of the number of columns",
     "Col&umns:", "Col&umnas:", "Colo&nnes :", "S&palten:"),
    (1522, "Text panel: check box; the text gets smaller until it fits its box",
     "S&hrink to fit", "Reducir &hasta que quepa", "Ré&duire pour tenir", "&Verkleinern, bis er passt"),
    (1524, "Text panel: label of the field holding the selected block's text",
     "T&ext:", "Te&xto:", "T&exte :", "T&ext:"),
    (1526, "Text panel: label of the list of the current face's text blocks",
     "Te&xts on this face:", "Textos &de esta cara:", "Te&xtes de cette face :", "Te&xte auf dieser Seite:"),
    (1528, "The text a new text block starts with",
     "New text", "Texto nuevo", "Nouveau texte", "Neuer Text"),
    (1530, "Text panel, when no cover window is open",
     "Open or create a cover set to write on its faces.",
     "Abra o cree un juego de carátulas para escribir en sus caras.",
     "Ouvrez ou créez un jeu de pochettes pour écrire sur ses faces.",
     "Öffnen oder erstellen Sie ein Cover-Set, um auf seine Seiten zu schreiben."),
    (1532, "Title of the colour dialog of a text block",
     "Text colour", "Color del texto", "Couleur du texte", "Textfarbe"),
    (1534, "Text panel's list: a block without text",
     "(empty)", "(vacío)", "(vide)", "(leer)"),
    (1536, "Edit > Larger view (the current face enlarged, for placing and editing its text)",
     "&Larger view...", "&Vista ampliada...", "&Vue agrandie...", "&Große Ansicht..."),
    (1538, "Title of the larger view (%1 the face's name)",
     "%1: larger view", "%1: vista ampliada", "%1 : vue agrandie", "%1: große Ansicht"),
    (1540, "Tool tip and status of a text block whose text does not fit its box",
     "The text does not fit its box and is cut off.",
     "El texto no cabe en su recuadro y se corta.",
     "Le texte ne tient pas dans son cadre et est coupé.",
     "Der Text passt nicht in seinen Rahmen und wird abgeschnitten."),
    (1542, "Text panel: rotation", "Not turned", "Sin girar", "Non tourné", "Nicht gedreht"),
    (1544, "Text panel: rotation", "90°, reads top to bottom", "90°, se lee de arriba abajo",
     "90°, se lit de haut en bas", "90°, von oben nach unten"),
    (1546, "Text panel: rotation", "180°, upside down", "180°, boca abajo", "180°, à l'envers",
     "180°, auf dem Kopf"),
    (1548, "Text panel: rotation", "270°, reads bottom to top", "270°, se lee de abajo arriba",
     "270°, se lit de bas en haut", "270°, von unten nach oben"),
    # Round disc labels, label sheets and fold marks
    (1550, "Edit menu (on the CD face): the CD face's shape is a round label (ticked)",
     "Rou&nd label", "Etiqueta redo&nda", "Étiquette ron&de", "R&undes Etikett"),
    (1552, "Text panel (CD face): the face's shape", "Disc sha&pe:", "F&orma del disco:",
     "&Forme du disque :", "F&orm der Scheibe:"),
    (1554, "Text panel (CD face): shape, as specified", "Rectangle, 150 × 118 mm",
     "Rectángulo de 150 × 118 mm", "Rectangle de 150 × 118 mm", "Rechteck, 150 × 118 mm"),
    (1556, "Text panel (CD face): shape, a round label", "Round label", "Etiqueta redonda",
     "Étiquette ronde", "Rundes Etikett"),
    (1558, "Text panel (CD face): the round label's outer diameter", "&Outer diameter:",
     "Diámetro ex&terior:", "Diamètre extérie&ur :", "Außendurch&messer:"),
    (1560, "Text panel (CD face): the diameter of the label's centre hole (0: none)",
     "Ho&le:", "A&gujero:", "Tr&ou :", "Lo&ch:"),
    (1562, "Print dialog: where the CD prints (a list follows)", "Print the CD &on:",
     "Imprimir el CD &en:", "Imprimer le CD &sur :", "CD drucken &auf:"),
    (1564, "Print dialog: the CD on a page of its own", "its own page", "su propia página",
     "sa propre page", "eigene Seite"),
    (1566, "Print dialog: a label sheet (%1 the paper, %2 how many labels, %3 their diameter)",
     "%1: %2 labels, %3 mm", "%1: %2 etiquetas de %3 mm", "%1 : %2 étiquettes de %3 mm",
     "%1: %2 Etiketten, %3 mm"),
    (1568, "Print dialog: which labels of the sheet to fill", "&Labels to fill:",
     "Etiquetas que &llenar:", "Étiquettes à re&mplir :", "Zu füllende &Etiketten:"),
    (1570, "Print dialog: fold marks on the Back's sheet", "Fold &marks on the Back",
     "&Marcas de plegado en la trasera", "Repères de &pliage sur l'arrière",
     "&Falzmarken auf der Rückseite"),
    (1572, "Label sheet files that cannot be read (line break and paths follow; the batch "
        "tool: the file comes first)",
     "These label sheet files cannot be read and are left out:",
     "Estos archivos de hojas de etiquetas no se pueden leer y se omiten:",
     "Ces fichiers de planches d'étiquettes ne peuvent pas être lus et sont ignorés :",
     "Diese Etikettenbogen-Dateien können nicht gelesen werden und werden ausgelassen:"),
    (1574, "Print dialog: tool tip of the label sheet list while the CD face is a rectangle",
     "Label sheets take a round CD face: choose Round label in the Edit menu on the CD face.",
     "Las hojas de etiquetas necesitan una cara de CD redonda: elija Etiqueta redonda en el "
     "menú Edición en la cara del CD.",
     "Les planches d'étiquettes demandent une face CD ronde : choisissez Étiquette ronde dans "
     "le menu Édition sur la face CD.",
     "Etikettenbögen brauchen eine runde CD-Seite: Wählen Sie auf der CD-Seite im Menü "
     "Bearbeiten Rundes Etikett."),
    (1576, "The labels to fill are not positions of the sheet (%1 how many it has)",
     "The labels to fill are numbers from 1 to %1, separated by commas, such as 1,3 or 2-3.",
     "Las etiquetas que llenar son números del 1 al %1 separados por comas, como 1,3 o 2-3.",
     "Les étiquettes à remplir sont des nombres de 1 à %1 séparés par des virgules, comme "
     "1,3 ou 2-3.",
     "Die zu füllenden Etiketten sind Zahlen von 1 bis %1, durch Kommas getrennt, etwa 1,3 "
     "oder 2-3."),
    (1578, "orvella-batch: --label-sheet names no sheet (the name comes first, the sheets "
        "follow)",
     "No label sheet has this name; the sheets are:",
     "Ninguna hoja de etiquetas tiene este nombre; las hojas son:",
     "Aucune planche d'étiquettes ne porte ce nom ; les planches sont :",
     "Kein Etikettenbogen hat diesen Namen; die Bögen sind:"),
    (1580, "orvella-batch: a label sheet with a rectangular CD face (the set comes first)",
     "A label sheet takes a round CD face; add --cd-shape round",
     "Una hoja de etiquetas necesita una cara de CD redonda; añada --cd-shape round",
     "Une planche d'étiquettes demande une face CD ronde ; ajoutez --cd-shape round",
     "Ein Etikettenbogen braucht eine runde CD-Seite; fügen Sie --cd-shape round hinzu"),
    (1582, "Print dialog: what the labels field holds while empty", "all (or such as 1,3)",
     "todas (o p. ej. 1,3)", "toutes (ou p. ex. 1,3)", "alle (oder z. B. 1,3)"),
    (1584, "orvella-batch: --positions without --label-sheet (the option follows)",
     "--positions goes with --label-sheet:", "--positions va con --label-sheet:",
     "--positions va avec --label-sheet :", "--positions gehört zu --label-sheet:"),
    (1600, "Text panel: button writing a track list on the current face, read from audio files or "
           "a cue sheet (its arrow offers a folder as well)",
     "&Track list from files...", "Lista de &pistas desde archivos...",
     "Liste des pistes depuis des fic&hiers...", "&Titelliste aus Dateien..."),
    (1602, "Text panel, menu of the track-list button: choose audio files or a cue sheet",
     "Audio files or a &cue sheet...", "&Archivos de audio o una hoja CUE...",
     "&Fichiers audio ou une feuille CUE...", "&Audiodateien oder ein Cue-Sheet..."),
    (1604, "Text panel, menu of the track-list button: choose a folder of audio files",
     "A &folder...", "Una &carpeta...", "Un &dossier...", "Einen &Ordner..."),
    (1606, "Tool tip of the track-list button",
     "Writes the tracks of audio files or of a cue sheet on this face, with their times and "
     "the total time",
     "Escribe en esta cara las pistas de archivos de audio o de una hoja CUE, con sus "
     "duraciones y la duración total",
     "Écrit sur cette face les pistes de fichiers audio ou d'une feuille CUE, avec leurs "
     "durées et la durée totale",
     "Schreibt die Titel von Audiodateien oder eines Cue-Sheets mit ihren Spielzeiten und der "
     "Gesamtzeit auf diese Seite"),
    (1608, "Title of the file dialog choosing audio files or a cue sheet for a track list",
     "Track list from audio files or a cue sheet",
     "Lista de pistas desde archivos de audio o una hoja CUE",
     "Liste des pistes depuis des fichiers audio ou une feuille CUE",
     "Titelliste aus Audiodateien oder einem Cue-Sheet"),
    (1610, "File dialog of the track list: the name of its filter (the file patterns follow)",
     "Audio files and cue sheets", "Archivos de audio y hojas CUE",
     "Fichiers audio et feuilles CUE", "Audiodateien und Cue-Sheets"),
    (1612, "Title of the folder dialog choosing a folder of audio files for a track list",
     "Track list from a folder of audio files",
     "Lista de pistas desde una carpeta de archivos de audio",
     "Liste des pistes depuis un dossier de fichiers audio",
     "Titelliste aus einem Ordner mit Audiodateien"),
    (1614, "Track list: the word before the total time on its last line",
     "Total", "Total", "Total", "Gesamt"),
    (1616, "Question after a track list was read from one album (%1 \"Artist — Album\"); the "
           "face names are those of the tabs",
     "All the tracks are from one album:\n%1\n\nWrite this line on the Front and on both "
     "spines of the Back as well?",
     "Todas las pistas son de un mismo álbum:\n%1\n\n¿Escribir también esta línea en la "
     "Portada y en los dos lomos de la Trasera?",
     "Toutes les pistes viennent d'un même album :\n%1\n\nÉcrire aussi cette ligne sur "
     "l'Avant et sur les deux tranches de l'Arrière ?",
     "Alle Titel stammen von einem Album:\n%1\n\nDiese Zeile auch auf die Vorderseite und "
     "auf beide Rücken der Rückseite schreiben?"),
    (1618, "Track list: message naming the files that gave no tracks (a line for each "
           "follows, the file and why in brackets)",
     "These files gave no tracks and are not in the track list:",
     "Estos archivos no dieron pistas y no están en la lista:",
     "Ces fichiers n'ont donné aucune piste et ne sont pas dans la liste :",
     "Diese Dateien ergaben keine Titel und fehlen in der Titelliste:"),
    (1620, "Track list: why a file gave no tracks",
     "not an audio file that can be read", "no es un archivo de audio legible",
     "pas un fichier audio lisible", "keine lesbare Audiodatei"),
    (1622, "Track list: why a file gave no tracks",
     "a cue sheet larger than 1 MB", "una hoja CUE de más de 1 MB",
     "une feuille CUE de plus de 1 Mo", "ein Cue-Sheet größer als 1 MB"),
    (1624, "Track list: why a file gave no tracks",
     "a cue sheet without tracks", "una hoja CUE sin pistas", "une feuille CUE sans pistes",
     "ein Cue-Sheet ohne Titel"),
    (1626, "Track list: nothing chosen held a track",
     "No audio files or cue sheets were found in what you chose.",
     "No se encontraron archivos de audio ni hojas CUE en lo elegido.",
     "Aucun fichier audio ni aucune feuille CUE n'a été trouvé dans votre choix.",
     "In Ihrer Auswahl wurden keine Audiodateien oder Cue-Sheets gefunden."),
    (1628, "Track list: the current face holds as many text blocks as it may",
     "This face already holds 64 text blocks. Delete one to add the track list.",
     "Esta cara ya tiene 64 bloques de texto. Elimine uno para añadir la lista de pistas.",
     "Cette face porte déjà 64 blocs de texte. Supprimez-en un pour ajouter la liste des "
     "pistes.",
     "Diese Seite hat bereits 64 Textblöcke. Löschen Sie einen, um die Titelliste "
     "hinzuzufügen."),
    (1630, "Track list: the last line of a long list of files that gave no tracks (%1 how "
           "many more)",
     "and %1 more", "y %1 más", "et %1 de plus", "und %1 weitere"),
]

# Texts that the program joins directly to something else, so their last
# character must be a blank in every language.
ENDS_WITH_BLANK = {1118, 1212, 1214, 1216, 1218, 1276, 1344}

# Controls that share one window (or one open menu) must not share an access
# key. The main window's top menus and the cover window's tabs live in the same
# window, so they are one group, together with the fixed "&Cd" tab.
ACCESS_KEY_GROUPS = {
    "menu bar and cover tabs": [1066, 1062, 1096, 1070, 1166, 1074, 1044, "&Cd"],
    "File menu": [1080, 1084, 1092, 1266, 1088, 1440, 1238, 1076, 1154],
    "Edit menu": [1472, 1474, 1056, 1086, 1072, 1060, 1064, 1490, 1536, 1550],
    "Text panel": [1494, 1496, 1498, 1500, 1502, 1504, 1506, 1508, 1510, 1518, 1520, 1522,
                   1524, 1526, 1552, 1558, 1560, 1600],
    "Text panel, track-list menu": [1602, 1604],
    "Window menu": [1048, 1042],
    "Help menu": [1054, 1144, 1312, 1038],
    "print dialog": [1172, 1204, 1124, "CD", 1088, 1046, 1562, 1568, 1570],
    "preferences": [1252, 1450, 1012, "&Ok", 1046],
    "preferences, printer tab": [1452, 1456, 1458, 1460, "&Ok", 1046],
    "print preview": [1470, 1046],
    "cover sites": [1040, 1058, 1078, 1068, 1052],
    "site dialog": [1298, 1300, "&Ok", 1046],
}
NEEDS_ACCESS_KEY = {n for group in ACCESS_KEY_GROUPS.values() for n in group
                    if isinstance(n, int)} - {1046, 1252, 1450}


def french_typography(text):
    # A no-break space keeps ":" and "?" from wrapping onto a line of their own.
    return text.replace(" :", "\u00a0:").replace(" ?", "\u00a0?").replace(" !", "\u00a0!")


def texts_by_language():
    """{language code: {number: text}} with every number of the table."""
    column = {"en": 2, "es": 3, "fr": 4, "de": 5}
    result = {}
    for _, code in LANGUAGES:
        table = {}
        for row in STRINGS:
            text = row[column[code]]
            table[row[0]] = french_typography(text) if code == "fr" else text
        result[code] = table
    return result


def encode_text(text):
    if "~" in text or "\r" in text:
        raise ValueError(f"text may not contain '~' or CR: {text!r}")
    stored = text.replace("\n", "~~")
    if (not stored or stored[0] in ' \t"' or stored[-1] in ' \t"'):
        stored = '"' + stored + '"'
    return stored


def build(texts):
    """The finished file as bytes; the start positions settle after two rounds."""
    sections = []
    for name, code in LANGUAGES:
        lines = [f"[{name}]"]
        for number in range(BASE, LAST + 1, STEP):
            lines.append(f"S{number}=" + encode_text(texts[code].get(number, "")))
        sections.append(("\r\n".join(lines) + "\r\n").encode("utf-8"))

    starts = [0] * len(LANGUAGES)
    for _ in range(10):  # the header's own length depends on the digits of the starts
        header = ["[SPOKEN]", f"NumLanguages={len(LANGUAGES)}"]
        for i, (name, _) in enumerate(LANGUAGES, 1):
            header += [f"Language{i}={name}", f"Language{i}Start={starts[i - 1]}"]
        header += [f"NumStrings={NUM_STRINGS}", f"StringIndexBase={BASE}",
                   f"StringIndexStep={STEP}"]
        head = ("\r\n".join(header) + "\r\n").encode("ascii")
        offset = len(head)
        new_starts = []
        for section in sections:
            new_starts.append(offset + 1)
            offset += len(section)
        if new_starts == starts:
            return head + b"".join(sections)
        starts = new_starts
    raise RuntimeError("start positions did not settle")


def read_line(data, pos):
    """One CR LF line from pos: (text, position after it)."""
    end = data.find(b"\r\n", pos)
    if end < 0:
        raise ValueError(f"line at byte {pos} does not end in CR LF")
    return data[pos:end].decode("utf-8"), end + 2


def read_back(data):
    """Parses the file as the program does: {language name: {number: text}}."""
    if data.startswith(b"\xef\xbb\xbf"):
        raise ValueError("file starts with a byte order mark")
    if data.replace(b"\r\n", b"").count(b"\r") or data.replace(b"\r\n", b"").count(b"\n"):
        raise ValueError("a line end other than CR LF")
    header = {}
    pos, section = 0, None
    while pos < len(data):
        line, pos = read_line(data, pos)
        line = line.strip()
        if line.startswith("["):
            section = line[1:-1].upper()
        elif section == "SPOKEN" and "=" in line:
            key, value = line.split("=", 1)
            header.setdefault(key.strip().lower(), value.strip())
    for key, value in header.items():
        if len(value) > 63:
            raise ValueError(f"header value of {key} longer than 63 characters")

    count = int(header["numlanguages"])
    num_strings = int(header["numstrings"])
    base, step = int(header["stringindexbase"]), int(header["stringindexstep"])
    bound = base + num_strings * step
    result = {}
    for i in range(1, count + 1):
        name = header[f"language{i}"]
        start = int(header[f"language{i}start"])
        line, pos = read_line(data, start - 1)
        if line.strip() != f"[{name}]":
            raise ValueError(f"Language{i}Start={start} does not lead to [{name}]: {line!r}")
        table = {}
        for k in range(num_strings):
            line, pos = read_line(data, pos)
            if "=" not in line:
                raise ValueError(f"[{name}] line {k + 1} has no '=': {line!r}")
            number_text, text = line[1:].split("=", 1)
            number = int(number_text)
            if number != base + k * step or not 0 <= number <= bound:
                raise ValueError(f"[{name}] line {k + 1} carries number {number}")
            if text.startswith('"'):
                text = text[1:]
            if text.endswith('"'):
                text = text[:-1]
            table[number] = text.replace("~~", "\r\n")
        result[name] = table
    if [name for name, _ in LANGUAGES] != [header[f"language{i}"] for i in range(1, count + 1)]:
        raise ValueError("languages out of order")
    return result


def access_key(text):
    at = text.replace("&&", "").find("&")
    return None if at < 0 else text.replace("&&", "")[at + 1].lower()


def check_texts(texts):
    problems = []
    used = {row[0] for row in STRINGS}
    if len(used) != len(STRINGS):
        problems.append("a number appears twice in the table")
    for number in used:
        if number % STEP or not BASE <= number <= LAST:
            problems.append(f"{number} is not a valid string number")
    for _, code in LANGUAGES:
        table = texts[code]
        for number in sorted(used):
            text = table[number]
            if not text.strip():
                problems.append(f"{code} {number}: empty")
            if text.count("&") > 1 or text.endswith("&"):
                problems.append(f"{code} {number}: more than one '&'")
            if number in ENDS_WITH_BLANK and not text.endswith(" "):
                problems.append(f"{code} {number}: must end with a blank")
            if number not in ENDS_WITH_BLANK and text != text.rstrip():
                problems.append(f"{code} {number}: stray trailing blank")
            if number in NEEDS_ACCESS_KEY:
                key = access_key(text)
                if key is None or not ("a" <= key <= "z"):
                    problems.append(f"{code} {number}: needs a plain letter as access key")
        for group, members in ACCESS_KEY_GROUPS.items():
            seen = {}
            for member in members:
                key = access_key(member if isinstance(member, str) else table[member])
                if key is None:
                    continue
                if key in seen:
                    problems.append(f"{code} {group}: '{key}' used by {seen[key]} and {member}")
                seen[key] = member
    return problems


def verify(data, texts):
    parsed = read_back(data)
    problems = check_texts(texts)
    for name, code in LANGUAGES:
        for number in range(BASE, LAST + 1, STEP):
            expected = texts[code].get(number, "").replace("\n", "\r\n")
            if parsed[name][number] != expected:
                problems.append(f"{name} {number}: reads back as {parsed[name][number]!r}")
    return problems


def main(argv):
    here = Path(__file__).resolve().parent
    check_only = "--check" in argv
    paths = [a for a in argv if a != "--check"]
    target = Path(paths[0]) if paths else here / "Spoken.DBF"
    texts = texts_by_language()
    data = build(texts)
    if check_only:
        existing = target.read_bytes()
        problems = verify(existing, texts)
        if existing != data:
            problems.append(f"{target} is not what the table produces; run without --check")
    else:
        problems = verify(data, texts)
        if not problems:
            target.write_bytes(data)
    for problem in problems:
        print("make_spoken:", problem, file=sys.stderr)
    if problems:
        return 1
    print(f"{target}: {len(LANGUAGES)} languages, {NUM_STRINGS} strings each, "
          f"{len(STRINGS)} in use, {len(data)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
