<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="en">
<context>
    <name>Texts</name>
    <message>
        <source> &amp;Reset Block</source>
        <translation> A&amp;zzera blocco</translation>
    </message>
    <message>
        <source> &amp;Total Reset</source>
        <translation> Azzera &amp;tutti</translation>
    </message>
    <message>
        <source>&amp;Set Block</source>
        <translation>&amp;Scrivi blocco</translation>
    </message>
    <message>
        <source>Set &amp;All</source>
        <translation>Scri&amp;vi tutti</translation>
    </message>
    <message>
        <source> R&amp;ead Block</source>
        <translation> &amp;Leggi blocco</translation>
    </message>
    <message>
        <source> Read All B&amp;locks</source>
        <translation> Leggi tutti i &amp;blocchi</translation>
    </message>
    <message>
        <source>A&amp;bout</source>
        <translation>I&amp;nformazioni</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Manuale</translation>
    </message>
    <message>
        <source>Download Data</source>
        <translation>Scarico dati</translation>
    </message>
    <message>
        <source>Block Number (01-30)  :</source>
        <translation>Numero blocco (01-30)  :</translation>
    </message>
    <message>
        <source>FILE NAME :</source>
        <translation>NOME FILE :</translation>
    </message>
    <message>
        <source>RAM Address</source>
        <translation>Indirizzo RAM</translation>
    </message>
    <message>
        <source>&amp;Folder</source>
        <translation>&amp;Cartella</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Ok</translation>
    </message>
    <message>
        <source>S&amp;urveys...</source>
        <translation>Mis&amp;ure...</translation>
    </message>
    <message>
        <source>&amp;Download Blocks...</source>
        <translation>Scarica blocc&amp;hi...</translation>
    </message>
    <message>
        <source>Blocks Header</source>
        <translation>Intestazione dei blocchi</translation>
    </message>
    <message>
        <source>Client  :</source>
        <translation>Cliente  :</translation>
    </message>
    <message>
        <source>Site :</source>
        <translation>Cantiere :</translation>
    </message>
    <message>
        <source>Tube no :</source>
        <translation>Tubo n. :</translation>
    </message>
    <message>
        <source>Depth  :</source>
        <translation>Profondità  :</translation>
    </message>
    <message>
        <source>Max.  100.0 mt.     Max.  200.0 mt.  </source>
        <translation>Max.  100.0 mt.     Max.  200.0 mt.  </translation>
    </message>
    <message>
        <source>Readout no  :</source>
        <translation>Lettura n.  :</translation>
    </message>
    <message>
        <source>Date  :</source>
        <translation>Data  :</translation>
    </message>
    <message>
        <source>DDMMYY</source>
        <translation>GGMMAA</translation>
    </message>
    <message>
        <source>Time  :</source>
        <translation>Ora  :</translation>
    </message>
    <message>
        <source>HHMMSS</source>
        <translation>HHMMSS</translation>
    </message>
    <message>
        <source>Step  :</source>
        <translation>Passo  :</translation>
    </message>
    <message>
        <source>0 = 0,5 mt.          1 = 1 mt</source>
        <translation>0 = 0,5 mt.          1 = 1 mt</translation>
    </message>
    <message>
        <source>Guides no  :</source>
        <translation>N. guide  :</translation>
    </message>
    <message>
        <source>North  :</source>
        <translation>Nord  :</translation>
    </message>
    <message>
        <source>Block  Number (01-30)  :</source>
        <translation>Numero  blocco (01-30)  :</translation>
    </message>
    <message>
        <source>&amp;Copy Data</source>
        <translation>&amp;Copia dati</translation>
    </message>
    <message>
        <source>The deepest a block may be, in metres (mt.):
Max. 100.0 mt. for a block read every 0.5 m (step 0),
Max. 200.0 mt. for a block read every 1 m (step 1).</source>
        <translation>La profondità massima di un blocco, in metri (mt.):
Max. 100.0 mt. per un blocco letto ogni 0,5 m (passo 0),
Max. 200.0 mt. per un blocco letto ogni 1 m (passo 1).</translation>
    </message>
    <message>
        <source>%1 tenths</source>
        <translation>%1 decimi</translation>
    </message>
    <message>
        <source>Attention: </source>
        <translation>Attenzione: </translation>
    </message>
    <message>
        <source>Header Data</source>
        <translation>Intestazione</translation>
    </message>
    <message>
        <source>Setup Tarvelon</source>
        <translation>Impostazioni Tarvelon</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Pagine</translation>
    </message>
    <message>
        <source>Control Panel</source>
        <translation>Pannello comandi</translation>
    </message>
    <message>
        <source> Zero/Gain </source>
        <translation> Zero/Guadagno </translation>
    </message>
    <message>
        <source>To reset gain and zero parameters with the TARVELON default values press this button</source>
        <translation>Per riportare guadagno e zero ai valori predefiniti della TARVELON premere questo pulsante</translation>
    </message>
    <message>
        <source>To reset gain and zero parameters</source>
        <translation>Per riportare guadagno e zero</translation>
    </message>
    <message>
        <source>Reset &amp;G/Z</source>
        <translation>&amp;Ripristina G/Z</translation>
    </message>
    <message>
        <source> Parameters </source>
        <translation> Parametri </translation>
    </message>
    <message>
        <source>Delay for Automatic Cycle</source>
        <translation>Ritardo del ciclo automatico</translation>
    </message>
    <message>
        <source>From 3 to 9</source>
        <translation>Da 3 a 9</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>Scr&amp;ivi</translation>
    </message>
    <message>
        <source> Serial Port </source>
        <translation> Porta seriale </translation>
    </message>
    <message>
        <source>&amp;Other:</source>
        <translation>&amp;Altra:</translation>
    </message>
    <message>
        <source>Com &amp;%1</source>
        <translation>Com &amp;%1</translation>
    </message>
    <message>
        <source>Record the line to a &amp;file</source>
        <translation>Registra la linea su &amp;file</translation>
    </message>
    <message>
        <source>Record the line to a file</source>
        <translation>Registra la linea su file</translation>
    </message>
    <message>
        <source> Date / Time  </source>
        <translation> Data / Ora  </translation>
    </message>
    <message>
        <source>DD</source>
        <translation>GG</translation>
    </message>
    <message>
        <source>MM</source>
        <translation>MM</translation>
    </message>
    <message>
        <source>YY</source>
        <translation>AA</translation>
    </message>
    <message>
        <source>hh</source>
        <translation>hh</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>ss</source>
        <translation>ss</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>clock box</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Time    :</source>
        <translation>Ora     :</translation>
    </message>
    <message>
        <source>&amp;PC Time</source>
        <translation>Ora del &amp;PC</translation>
    </message>
    <message>
        <source> Rea&amp;d Clock</source>
        <translation> Leggi &amp;orologio</translation>
    </message>
    <message>
        <source> Write &amp;Clock</source>
        <translation> Scrivi orolo&amp;gio</translation>
    </message>
    <message>
        <source>Program version %1, build %2</source>
        <translation>Versione del programma %1, build %2</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Application :</source>
        <translation>Applicazione :</translation>
    </message>
    <message>
        <source>Version :</source>
        <translation>Versione :</translation>
    </message>
    <message>
        <source>Description :</source>
        <translation>Descrizione :</translation>
    </message>
    <message>
        <source>Communication software with incremental readout unit Tarvelon</source>
        <translation>Software di comunicazione con la centralina incrementale Tarvelon</translation>
    </message>
    <message>
        <source>Software :</source>
        <translation>Software :</translation>
    </message>
    <message>
        <source>Email:</source>
        <translation>Email:</translation>
    </message>
    <message>
        <source>Website:</source>
        <translation>Sito web:</translation>
    </message>
    <message>
        <source>Licences:</source>
        <translation>Licenze:</translation>
    </message>
    <message>
        <source>GPL-3.0-or-later, third-party notices</source>
        <translation>GPL-3.0-or-later, note di terze parti</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Chiudi</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>%1 rows, %2 skipped</source>
        <translation>%1 righe, %2 saltate</translation>
    </message>
    <message>
        <source>Download Blocks</source>
        <translation>Scarica blocchi</translation>
    </message>
    <message>
        <source>Blocks</source>
        <translation>Blocchi</translation>
    </message>
    <message>
        <source>Block</source>
        <translation>Blocco</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Cliente</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Cantiere</translation>
    </message>
    <message>
        <source>Tube</source>
        <translation>Tubo</translation>
    </message>
    <message>
        <source>Depth</source>
        <translation>Profondità</translation>
    </message>
    <message>
        <source>Readout no</source>
        <translation>Lettura n.</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Ora</translation>
    </message>
    <message>
        <source>In library</source>
        <translation>In archivio</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Esito</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Seleziona &amp;tutti</translation>
    </message>
    <message>
        <source>Select &amp;None</source>
        <translation>Seleziona &amp;nessuno</translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation>&amp;Scarica</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>in attesa</translation>
    </message>
    <message numerus="yes">
        <source>not downloaded</source>
        <translation>
            <numerusform>non scaricato</numerusform>
            <numerusform>non scaricati</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of %2 blocks downloaded into %3, kept in the survey library</source>
        <translation>%1 blocchi su %2 scaricati in %3, conservati nell&apos;archivio delle misure</translation>
    </message>
    <message>
        <source>reading the header</source>
        <translation>lettura dell&apos;intestazione</translation>
    </message>
    <message>
        <source>header not read</source>
        <translation>intestazione non letta</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>sì</translation>
    </message>
    <message>
        <source>incomplete</source>
        <translation>incompleta</translation>
    </message>
    <message>
        <source>no</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Cartella</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created: downloads go to %2</source>
        <translation>Impossibile creare la cartella %1: gli scarichi vanno in %2</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Unità</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annulla</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>&amp;New Folder…</source>
        <translation>&amp;Nuova cartella…</translation>
    </message>
    <message>
        <source>New Folder…</source>
        <translation>Nuova cartella…</translation>
    </message>
    <message>
        <source>Drive :</source>
        <translation>Unità :</translation>
    </message>
    <message>
        <source>Chosen folder</source>
        <translation>Cartella scelta</translation>
    </message>
    <message>
        <source>Invalid drive!</source>
        <translation>Unità non valida!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Errore</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no folder name: a name without / or \ is needed.</source>
        <translation>&quot;%1&quot; non è un nome di cartella: serve un nome senza / né \.</translation>
    </message>
    <message>
        <source>A folder or file named &quot;%1&quot; is already in %2.</source>
        <translation>In %2 c&apos;è già una cartella o un file di nome &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; cannot be made in %2.</source>
        <translation>Impossibile creare la cartella &quot;%1&quot; in %2.</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>Nuova cartella</translation>
    </message>
    <message>
        <source>Name of the new folder in %1:</source>
        <translation>Nome della nuova cartella in %1:</translation>
    </message>
    <message>
        <source>Main window: pages</source>
        <translation>Finestra principale: pagine</translation>
    </message>
    <message>
        <source>Header Data, Download Data, Setup Tarvelon</source>
        <translation>Intestazione, Scarico dati, Impostazioni Tarvelon</translation>
    </message>
    <message>
        <source>Choose the page: Header Data (block headers), Download Data (downloads and the survey library) or Setup Tarvelon (serial port, clock, delay, zero and gain).</source>
        <translation>Sceglie la pagina: Intestazione (intestazioni dei blocchi), Scarico dati (scarichi e archivio delle misure) o Impostazioni Tarvelon (porta seriale, orologio, ritardo, zero e guadagno).</translation>
    </message>
    <message>
        <source>Header Data page</source>
        <translation>Pagina Intestazione</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Keep the header shown as this block&apos;s and show the previous block&apos;s header.</source>
        <translation>Conserva l&apos;intestazione mostrata come quella di questo blocco e mostra l&apos;intestazione del blocco precedente.</translation>
    </message>
    <message>
        <source>Block Number (01-30)</source>
        <translation>Numero blocco (01-30)</translation>
    </message>
    <message>
        <source>The block whose header is shown, 01 to 30. Leaving it with another number keeps the header shown as the current block&apos;s and shows that block&apos;s header, as + and - do. Set Block, Read Block and Reset Block work on this block.</source>
        <translation>Il blocco di cui è mostrata l&apos;intestazione, da 01 a 30. Uscendo con un altro numero l&apos;intestazione mostrata resta al blocco corrente e si mostra quella del nuovo blocco, come fanno + e -. Scrivi blocco, Leggi blocco e Azzera blocco agiscono su questo blocco.</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Keep the header shown as this block&apos;s and show the next block&apos;s header.</source>
        <translation>Conserva l&apos;intestazione mostrata come quella di questo blocco e mostra l&apos;intestazione del blocco successivo.</translation>
    </message>
    <message>
        <source>Copy Data</source>
        <translation>Copia dati</translation>
    </message>
    <message>
        <source>Keep the header shown as this block&apos;s and step on to the next block with the same header; press again to copy it into further blocks, then send them all with Set All.</source>
        <translation>Conserva l&apos;intestazione mostrata come quella di questo blocco e passa al blocco successivo con la stessa intestazione; premere ancora per copiarla in altri blocchi, poi inviarli tutti con Scrivi tutti.</translation>
    </message>
    <message>
        <source>Client, up to 8 characters, kept in upper case.</source>
        <translation>Cliente, fino a 8 caratteri, in maiuscolo.</translation>
    </message>
    <message>
        <source>Site, up to 8 characters, kept in upper case.</source>
        <translation>Cantiere, fino a 8 caratteri, in maiuscolo.</translation>
    </message>
    <message>
        <source>Tube no</source>
        <translation>Tubo n.</translation>
    </message>
    <message>
        <source>Tube, up to 4 characters, kept in upper case.</source>
        <translation>Tubo, fino a 4 caratteri, in maiuscolo.</translation>
    </message>
    <message>
        <source>Depth of the tube in whole metres, digits without a decimal point: at most 100.0 m with 0.5 m steps, 200.0 m with 1 m steps. Its tooltip, &quot;Inserire cifre senza punto decimale&quot;, is Italian for &quot;enter digits without a decimal point&quot;.</source>
        <translation>Profondità del tubo in metri interi, cifre senza punto decimale: al massimo 100.0 m con passo 0,5 m, 200.0 m con passo 1 m. Il suo suggerimento è &quot;Inserire cifre senza punto decimale&quot;.</translation>
    </message>
    <message>
        <source>Depth (tenths)</source>
        <translation>Profondità (decimi)</translation>
    </message>
    <message>
        <source>Tenths of the depth, 0 or 5: type 0 or 5, or double-click it (or press Space on it) to switch between them.</source>
        <translation>Decimi della profondità, 0 o 5: digitare 0 o 5, oppure fare doppio clic (o premere Spazio) per passare dall&apos;uno all&apos;altro.</translation>
    </message>
    <message>
        <source>Readout number, two digits.</source>
        <translation>Numero della lettura, due cifre.</translation>
    </message>
    <message>
        <source>Read-only: the block&apos;s date (DDMMYY), which Read Block fills from the unit; it cannot be typed.</source>
        <translation>Sola lettura: la data del blocco (GGMMAA), che Leggi blocco riporta dalla centralina; non si può digitare.</translation>
    </message>
    <message>
        <source>Read-only: the block&apos;s time (HHMMSS), which Read Block fills from the unit; it cannot be typed.</source>
        <translation>Sola lettura: l&apos;ora del blocco (HHMMSS), che Leggi blocco riporta dalla centralina; non si può digitare.</translation>
    </message>
    <message>
        <source>Download Data page</source>
        <translation>Pagina Scarico dati</translation>
    </message>
    <message>
        <source>Put the previous block&apos;s number into Block Number; nothing is downloaded until Ok.</source>
        <translation>Mette il numero del blocco precedente in Numero blocco; nulla viene scaricato fino a Ok.</translation>
    </message>
    <message>
        <source>The block that Ok downloads, 01 to 30.</source>
        <translation>Il blocco che Ok scarica, da 01 a 30.</translation>
    </message>
    <message>
        <source>Put the next block&apos;s number into Block Number; nothing is downloaded until Ok.</source>
        <translation>Mette il numero del blocco successivo in Numero blocco; nulla viene scaricato fino a Ok.</translation>
    </message>
    <message>
        <source>FILE NAME</source>
        <translation>NOME FILE</translation>
    </message>
    <message>
        <source>The export file being written during a download.</source>
        <translation>Il file di esportazione in scrittura durante uno scarico.</translation>
    </message>
    <message>
        <source>The unit&apos;s memory address of the row being read during a download.</source>
        <translation>L&apos;indirizzo nella memoria della centralina della riga in lettura durante uno scarico.</translation>
    </message>
    <message>
        <source>Choose the folder the export files are written into; this enables Ok and Download Blocks.</source>
        <translation>Sceglie la cartella in cui si scrivono i file di esportazione; abilita Ok e Scarica blocchi.</translation>
    </message>
    <message>
        <source>Download the block in Block Number into its two export files in the chosen folder, and keep it in the survey library.</source>
        <translation>Scarica il blocco di Numero blocco nei suoi due file di esportazione nella cartella scelta e lo conserva nell&apos;archivio delle misure.</translation>
    </message>
    <message>
        <source>Download Blocks...</source>
        <translation>Scarica blocchi...</translation>
    </message>
    <message>
        <source>List the unit&apos;s 30 blocks and download the checked ones in one go.</source>
        <translation>Elenca i 30 blocchi della centralina e scarica in una volta quelli spuntati.</translation>
    </message>
    <message>
        <source>Surveys...</source>
        <translation>Misure...</translation>
    </message>
    <message>
        <source>Open the survey library: every download kept, with its charts and tables.</source>
        <translation>Apre l&apos;archivio delle misure: ogni scarico conservato, con i suoi grafici e le sue tabelle.</translation>
    </message>
    <message>
        <source>(the survey just kept)</source>
        <translation>(la misura appena conservata)</translation>
    </message>
    <message>
        <source>The survey of the last download is in the library: click to show it in the Surveys window.</source>
        <translation>La misura dell&apos;ultimo scarico è nell&apos;archivio: fare clic per mostrarla nella finestra Misure.</translation>
    </message>
    <message>
        <source>Setup Tarvelon page</source>
        <translation>Pagina Impostazioni Tarvelon</translation>
    </message>
    <message>
        <source>Reset G/Z</source>
        <translation>Ripristina G/Z</translation>
    </message>
    <message>
        <source>Write the default gain and zero into all 30 blocks of the unit (asks first).</source>
        <translation>Scrive guadagno e zero predefiniti in tutti i 30 blocchi della centralina (chiede prima).</translation>
    </message>
    <message>
        <source>Delay of the unit&apos;s automatic measuring cycle, 3 to 9.</source>
        <translation>Ritardo del ciclo automatico di misura della centralina, da 3 a 9.</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Scrivi</translation>
    </message>
    <message>
        <source>Write the delay into the unit.</source>
        <translation>Scrive il ritardo nella centralina.</translation>
    </message>
    <message>
        <source>Com 1</source>
        <translation>Com 1</translation>
    </message>
    <message>
        <source>Use COM1 (on Linux /dev/ttyS0).</source>
        <translation>Usa COM1 (su Linux /dev/ttyS0).</translation>
    </message>
    <message>
        <source>Com 2</source>
        <translation>Com 2</translation>
    </message>
    <message>
        <source>Use COM2 (on Linux /dev/ttyS1).</source>
        <translation>Usa COM2 (su Linux /dev/ttyS1).</translation>
    </message>
    <message>
        <source>Com 3</source>
        <translation>Com 3</translation>
    </message>
    <message>
        <source>Use COM3 (on Linux /dev/ttyS2).</source>
        <translation>Usa COM3 (su Linux /dev/ttyS2).</translation>
    </message>
    <message>
        <source>Com 4</source>
        <translation>Com 4</translation>
    </message>
    <message>
        <source>Use COM4 (on Linux /dev/ttyS3).</source>
        <translation>Usa COM4 (su Linux /dev/ttyS3).</translation>
    </message>
    <message>
        <source>Other:</source>
        <translation>Altra:</translation>
    </message>
    <message>
        <source>Use the port named in the list beside it, such as a USB adapter (/dev/ttyUSB0, COM5).</source>
        <translation>Usa la porta indicata nell&apos;elenco accanto, per esempio un adattatore USB (/dev/ttyUSB0, COM5).</translation>
    </message>
    <message>
        <source>(port name)</source>
        <translation>(nome della porta)</translation>
    </message>
    <message>
        <source>The serial ports of this computer and the names used before; a name can also be typed. Choosing one chooses Other:.</source>
        <translation>Le porte seriali di questo computer e i nomi usati in precedenza; si può anche digitare un nome. Sceglierne uno sceglie Altra:.</translation>
    </message>
    <message>
        <source>Record every character sent to the unit and received from it, with its time, in a text file you choose, until this is cleared or the program ends: the file to send when a unit misbehaves. Off at every start.</source>
        <translation>Registra ogni carattere inviato alla centralina e ricevuto da essa, con il suo orario, in un file di testo a scelta, finché non si toglie la spunta o il programma termina: il file da inviare quando una centralina non si comporta bene. Spento a ogni avvio.</translation>
    </message>
    <message>
        <source>Date: DD</source>
        <translation>Data: GG</translation>
    </message>
    <message>
        <source>Day of the unit&apos;s clock, two digits.</source>
        <translation>Giorno dell&apos;orologio della centralina, due cifre.</translation>
    </message>
    <message>
        <source>Date: MM</source>
        <translation>Data: MM</translation>
    </message>
    <message>
        <source>Month of the unit&apos;s clock, two digits.</source>
        <translation>Mese dell&apos;orologio della centralina, due cifre.</translation>
    </message>
    <message>
        <source>Date: YY</source>
        <translation>Data: AA</translation>
    </message>
    <message>
        <source>Year of the unit&apos;s clock, two digits.</source>
        <translation>Anno dell&apos;orologio della centralina, due cifre.</translation>
    </message>
    <message>
        <source>Time: hh</source>
        <translation>Ora: hh</translation>
    </message>
    <message>
        <source>Hour of the unit&apos;s clock, two digits.</source>
        <translation>Ora dell&apos;orologio della centralina, due cifre.</translation>
    </message>
    <message>
        <source>Time: mm</source>
        <translation>Ora: mm</translation>
    </message>
    <message>
        <source>Minutes of the unit&apos;s clock, two digits.</source>
        <translation>Minuti dell&apos;orologio della centralina, due cifre.</translation>
    </message>
    <message>
        <source>Time: ss</source>
        <translation>Ora: ss</translation>
    </message>
    <message>
        <source>Seconds of the unit&apos;s clock, two digits.</source>
        <translation>Secondi dell&apos;orologio della centralina, due cifre.</translation>
    </message>
    <message>
        <source>Read Clock</source>
        <translation>Leggi orologio</translation>
    </message>
    <message>
        <source>Read the unit&apos;s date and time into the boxes.</source>
        <translation>Legge data e ora della centralina nelle caselle.</translation>
    </message>
    <message>
        <source>PC Time</source>
        <translation>Ora del PC</translation>
    </message>
    <message>
        <source>Put this computer&apos;s date and time into the boxes; Write Clock then sets the unit to them.</source>
        <translation>Mette data e ora di questo computer nelle caselle; Scrivi orologio poi le imposta nella centralina.</translation>
    </message>
    <message>
        <source>Write Clock</source>
        <translation>Scrivi orologio</translation>
    </message>
    <message>
        <source>Write the date and time of the boxes into the unit&apos;s clock (asks first).</source>
        <translation>Scrive data e ora delle caselle nell&apos;orologio della centralina (chiede prima).</translation>
    </message>
    <message>
        <source>Reset Block</source>
        <translation>Azzera blocco</translation>
    </message>
    <message>
        <source>Clear the block in Block Number to its default header, on the PC and in the unit (asks first).</source>
        <translation>Riporta il blocco di Numero blocco all&apos;intestazione predefinita, sul PC e nella centralina (chiede prima).</translation>
    </message>
    <message>
        <source>Total Reset</source>
        <translation>Azzera tutti</translation>
    </message>
    <message>
        <source>Clear all 30 blocks to their default headers, on the PC and in the unit (asks first).</source>
        <translation>Riporta tutti i 30 blocchi alle intestazioni predefinite, sul PC e nella centralina (chiede prima).</translation>
    </message>
    <message>
        <source>Set Block</source>
        <translation>Scrivi blocco</translation>
    </message>
    <message>
        <source>Write the header shown into the unit as the header of the block in Block Number (asks first: the block&apos;s readings are lost).</source>
        <translation>Scrive nella centralina l&apos;intestazione mostrata come intestazione del blocco di Numero blocco (chiede prima: le letture del blocco vanno perse).</translation>
    </message>
    <message>
        <source>Set All</source>
        <translation>Scrivi tutti</translation>
    </message>
    <message>
        <source>Write the headers of all 30 blocks kept on the PC into the unit (asks first: all readings are lost).</source>
        <translation>Scrive nella centralina le intestazioni dei 30 blocchi conservate sul PC (chiede prima: tutte le letture vanno perse).</translation>
    </message>
    <message>
        <source>Read Block</source>
        <translation>Leggi blocco</translation>
    </message>
    <message>
        <source>Read the header of the block in Block Number from the unit and show it.</source>
        <translation>Legge dalla centralina l&apos;intestazione del blocco di Numero blocco e la mostra.</translation>
    </message>
    <message>
        <source>Read All Blocks</source>
        <translation>Leggi tutti i blocchi</translation>
    </message>
    <message>
        <source>Read the headers of all 30 blocks from the unit and keep them on the PC; block 1 is shown.</source>
        <translation>Legge dalla centralina le intestazioni dei 30 blocchi e le conserva sul PC; si mostra il blocco 1.</translation>
    </message>
    <message>
        <source>Who makes the program and the unit, and how to reach them.</source>
        <translation>Chi produce il programma e la centralina, e come contattarli.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Manuale</translation>
    </message>
    <message>
        <source>Open this guide in the PDF viewer; where it is not installed, the maker&apos;s web site.</source>
        <translation>Apre questo manuale nel visualizzatore PDF; dove non è installato, il sito web del produttore.</translation>
    </message>
    <message>
        <source>Below the pages</source>
        <translation>Sotto le pagine</translation>
    </message>
    <message>
        <source>(progress bar)</source>
        <translation>(barra di avanzamento)</translation>
    </message>
    <message>
        <source>How far the running operation has come, and the time left.</source>
        <translation>A che punto è l&apos;operazione in corso, e il tempo che manca.</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Ferma</translation>
    </message>
    <message>
        <source>Stop the operation at the next row or block (Esc)</source>
        <translation>Ferma l&apos;operazione alla prossima riga o al prossimo blocco (Esc)</translation>
    </message>
    <message>
        <source>(status line)</source>
        <translation>(riga di stato)</translation>
    </message>
    <message>
        <source>The serial port, the download folder and how the last job ended; a file just written is a link that opens it.</source>
        <translation>La porta seriale, la cartella di scarico e come è finito l&apos;ultimo lavoro; un file appena scritto è un collegamento che lo apre.</translation>
    </message>
    <message>
        <source>Folder window</source>
        <translation>Finestra Cartella</translation>
    </message>
    <message>
        <source>The drive (on Linux, the file system) to choose the folder on.</source>
        <translation>L&apos;unità (su Linux, il file system) su cui scegliere la cartella.</translation>
    </message>
    <message>
        <source>(folders)</source>
        <translation>(cartelle)</translation>
    </message>
    <message>
        <source>The folders of the drive: click one to choose it.</source>
        <translation>Le cartelle dell&apos;unità: fare clic su una per sceglierla.</translation>
    </message>
    <message>
        <source>(chosen folder)</source>
        <translation>(cartella scelta)</translation>
    </message>
    <message>
        <source>Download into this folder from now on.</source>
        <translation>D&apos;ora in poi scarica in questa cartella.</translation>
    </message>
    <message>
        <source>Close the window; the download folder stays as it was (Esc).</source>
        <translation>Chiude la finestra; la cartella di scarico resta quella di prima (Esc).</translation>
    </message>
    <message>
        <source>Make a folder in the chosen one and choose it.</source>
        <translation>Crea una cartella dentro quella scelta e la sceglie.</translation>
    </message>
    <message>
        <source>About box</source>
        <translation>Finestra Informazioni</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Email</translation>
    </message>
    <message>
        <source>Write to the maker&apos;s support.</source>
        <translation>Scrive all&apos;assistenza del produttore.</translation>
    </message>
    <message>
        <source>Website</source>
        <translation>Sito web</translation>
    </message>
    <message>
        <source>Open the maker&apos;s web site.</source>
        <translation>Apre il sito web del produttore.</translation>
    </message>
    <message>
        <source>Licences</source>
        <translation>Licenze</translation>
    </message>
    <message>
        <source>Show the program&apos;s licence (GPL-3.0-or-later) and the notices of the libraries it is built with.</source>
        <translation>Mostra la licenza del programma (GPL-3.0-or-later) e le note delle librerie con cui è costruito.</translation>
    </message>
    <message>
        <source>Close this box.</source>
        <translation>Chiude questa finestra.</translation>
    </message>
    <message>
        <source>Licences window</source>
        <translation>Finestra Licenze</translation>
    </message>
    <message>
        <source>(licences)</source>
        <translation>(licenze)</translation>
    </message>
    <message>
        <source>The program&apos;s licence and the notices of the libraries it is built with, to read and copy.</source>
        <translation>La licenza del programma e le note delle librerie con cui è costruito, da leggere e copiare.</translation>
    </message>
    <message>
        <source>Close this window.</source>
        <translation>Chiude questa finestra.</translation>
    </message>
    <message>
        <source>Download Blocks window</source>
        <translation>Finestra Scarica blocchi</translation>
    </message>
    <message>
        <source>(blocks)</source>
        <translation>(blocchi)</translation>
    </message>
    <message>
        <source>The unit&apos;s blocks: check the ones to download; blocks of depth 0 are greyed, blocks the survey library already keeps whole (In library: yes) start unchecked. After a download the Result column says how many rows were read and skipped, then the files written (their full paths when the mouse rests on it).</source>
        <translation>I blocchi della centralina: spuntare quelli da scaricare; i blocchi di profondità 0 sono in grigio, quelli che l&apos;archivio delle misure conserva già interi (In archivio: sì) partono senza spunta. Dopo uno scarico la colonna Esito dice quante righe sono state lette e saltate, poi i file scritti (i loro percorsi completi quando il mouse si ferma sopra).</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Seleziona tutti</translation>
    </message>
    <message>
        <source>Check every block that holds readings.</source>
        <translation>Spunta ogni blocco che contiene letture.</translation>
    </message>
    <message>
        <source>Select None</source>
        <translation>Seleziona nessuno</translation>
    </message>
    <message>
        <source>Uncheck every block.</source>
        <translation>Toglie la spunta a ogni blocco.</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Scarica</translation>
    </message>
    <message>
        <source>Download the checked blocks in block order into the chosen folder, and keep each in the survey library.</source>
        <translation>Scarica i blocchi spuntati, in ordine di blocco, nella cartella scelta e conserva ciascuno nell&apos;archivio delle misure.</translation>
    </message>
    <message>
        <source>Close this window; a download that runs stops at the next block.</source>
        <translation>Chiude questa finestra; uno scarico in corso si ferma al blocco successivo.</translation>
    </message>
    <message>
        <source># The controls

What every control does, in the words the program shows when the mouse rests on the control and when Shift+F1 is pressed on it.
</source>
        <translation># I comandi

Che cosa fa ogni comando, con le parole che il programma mostra quando il mouse si ferma sul comando e quando su di esso si preme Maiusc+F1.
</translation>
    </message>
    <message>
        <source>
## %1

| Control | What it does |
|---|---|
</source>
        <translation>
## %1

| Comando | Che cosa fa |
|---|---|
</translation>
    </message>
    <message>
        <source>The user guide cannot be opened: no program on this computer opens PDF files.

The guide is the file &quot;%1&quot; in the folder
%2</source>
        <translation>Impossibile aprire il manuale: nessun programma di questo computer apre i file PDF.

Il manuale è il file &quot;%1&quot; nella cartella
%2</translation>
    </message>
    <message>
        <source>The user guide is not installed with the program, and no web browser could be opened for it.

The guide is at
%1</source>
        <translation>Il manuale non è installato con il programma e non è stato possibile aprire un browser web.

Il manuale si trova in
%1</translation>
    </message>
    <message>
        <source>The line was recorded in %1</source>
        <translation>La linea è stata registrata in %1</translation>
    </message>
    <message>
        <source>Line traces (*.txt)</source>
        <translation>Registrazioni della linea (*.txt)</translation>
    </message>
    <message>
        <source>Recording the line in %1</source>
        <translation>Registrazione della linea in %1</translation>
    </message>
    <message>
        <source>Attention: %1</source>
        <translation>Attenzione: %1</translation>
    </message>
    <message>
        <source>Tarvelon Manager developers</source>
        <translation>Gli sviluppatori di Tarvelon Manager</translation>
    </message>
    <message>
        <source>Communication Software with TARVELON readout unit</source>
        <translation>Software di comunicazione con la centralina TARVELON</translation>
    </message>
    <message>
        <source>Serial port name</source>
        <translation>Nome della porta seriale</translation>
    </message>
    <message>
        <source>Choose &quot;Other:&quot; with this serial port (/dev/ttyUSB0, COM9).</source>
        <translation>Sceglie &quot;Altra:&quot; con questa porta seriale (/dev/ttyUSB0, COM9).</translation>
    </message>
    <message>
        <source>name</source>
        <translation>nome</translation>
    </message>
    <message>
        <source>Record every byte sent to the unit and received from it, with its time, in this file (replaced), as &quot;Record the line to a file&quot; does.</source>
        <translation>Registra ogni byte inviato alla centralina e ricevuto da essa, con il suo orario, in questo file (sostituito), come fa &quot;Registra la linea su file&quot;.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>file</translation>
    </message>
    <message>
        <source>Speak this language (en, it) instead of the one chosen on the Setup Tarvelon page.</source>
        <translation>Usa questa lingua (en, it) invece di quella scelta nella pagina Impostazioni Tarvelon.</translation>
    </message>
    <message>
        <source>language</source>
        <translation>lingua</translation>
    </message>
    <message>
        <source>Unknown language &quot;%1&quot;: en or it</source>
        <translation>Lingua sconosciuta &quot;%1&quot;: en o it</translation>
    </message>
    <message>
        <source>Tarvelon Manager is already running.</source>
        <translation>Tarvelon Manager è già in esecuzione.</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Avanzamento</translation>
    </message>
    <message>
        <source> (stopping)</source>
        <translation> (arresto in corso)</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Stato</translation>
    </message>
    <message>
        <source>Port: </source>
        <translation>Porta: </translation>
    </message>
    <message>
        <source>No download folder</source>
        <translation>Nessuna cartella di scarico</translation>
    </message>
    <message>
        <source>Folder: </source>
        <translation>Cartella: </translation>
    </message>
    <message>
        <source>WAIT DATA TRANSMISSION ONGOING</source>
        <translation>ATTENDERE TRASMISSIONE DATI IN CORSO</translation>
    </message>
    <message>
        <source>Attention: cannot write file %1</source>
        <translation>Attenzione: impossibile scrivere il file %1</translation>
    </message>
    <message>
        <source>Attention: cannot write file %1: %2</source>
        <translation>Attenzione: impossibile scrivere il file %1: %2</translation>
    </message>
    <message>
        <source>cannot write the line trace %1: %2</source>
        <translation>impossibile scrivere la registrazione della linea %1: %2</translation>
    </message>
    <message>
        <source>and %1 more lines: Show Details…</source>
        <translation>e altre %1 righe: Mostra dettagli…</translation>
    </message>
    <message>
        <source>no such port</source>
        <translation>porta inesistente</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>in uso da un altro programma</translation>
    </message>
    <message>
        <source>it is not a serial port</source>
        <translation>non è una porta seriale</translation>
    </message>
    <message>
        <source>no port name given</source>
        <translation>nessun nome di porta indicato</translation>
    </message>
    <message>
        <source>the name is longer than %1 characters</source>
        <translation>il nome supera i %1 caratteri</translation>
    </message>
    <message>
        <source>the name contains control characters</source>
        <translation>il nome contiene caratteri di controllo</translation>
    </message>
    <message>
        <source>it is a folder, not a serial port</source>
        <translation>è una cartella, non una porta seriale</translation>
    </message>
    <message>
        <source>it is a regular file, not a serial port</source>
        <translation>è un file normale, non una porta seriale</translation>
    </message>
    <message>
        <source>a folder has that name</source>
        <translation>una cartella ha quel nome</translation>
    </message>
    <message>
        <source>from ±000° to ±360°</source>
        <translation>da ±000° a ±360°</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Lingua</translation>
    </message>
    <message>
        <source>The language of the program from its next start: the system&apos;s, English or Italian. The files written for the unit and the export files are the same in every language.</source>
        <translation>La lingua del programma dal prossimo avvio: quella del sistema, inglese o italiano. I file scritti per la centralina e i file di esportazione sono gli stessi in ogni lingua.</translation>
    </message>
    <message>
        <source>The language is used from the next start of the program</source>
        <translation>La lingua vale dal prossimo avvio del programma</translation>
    </message>
    <message>
        <source>Lang&amp;uage:</source>
        <translation>Ling&amp;ua:</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>Attention: cannot open serial port %1</source>
        <translation>Attenzione: impossibile aprire la porta seriale %1</translation>
    </message>
    <message>
        <source>Attention: cannot open serial port %1: %2</source>
        <translation>Attenzione: impossibile aprire la porta seriale %1: %2</translation>
    </message>
    <message>
        <source>Attention: serial port %1 was disconnected</source>
        <translation>Attenzione: la porta seriale %1 è stata scollegata</translation>
    </message>
    <message>
        <source>Attention: TARVELON not connected</source>
        <translation>Attenzione: TARVELON non collegata</translation>
    </message>
    <message>
        <source>Block %1 of %2</source>
        <translation>Blocco %1 di %2</translation>
    </message>
    <message>
        <source>Header row %1 of %2</source>
        <translation>Riga d&apos;intestazione %1 di %2</translation>
    </message>
    <message>
        <source>header row %1 of %2</source>
        <translation>riga d&apos;intestazione %1 di %2</translation>
    </message>
    <message>
        <source>Row %1 of %2</source>
        <translation>Riga %1 di %2</translation>
    </message>
    <message>
        <source>row %1 of %2</source>
        <translation>riga %1 di %2</translation>
    </message>
    <message>
        <source>about %1 s left</source>
        <translation>mancano circa %1 s</translation>
    </message>
    <message>
        <source>about %1 min %2 s left</source>
        <translation>mancano circa %1 min %2 s</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>da %1 a %2</translation>
    </message>
    <message>
        <source> and </source>
        <translation> e </translation>
    </message>
    <message>
        <source>block %1</source>
        <translation>blocco %1</translation>
    </message>
    <message>
        <source>blocks %1</source>
        <translation>blocchi %1</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Stopped: %1</source>
        <translation>Interrotto: %1</translation>
    </message>
    <message>
        <source>Stopped: %1, %2</source>
        <translation>Interrotto: %1, %2</translation>
    </message>
    <message>
        <source>Attention: the unit refused the command: %1</source>
        <translation>Attenzione: la centralina ha rifiutato il comando: %1</translation>
    </message>
    <message>
        <source>Attention: the unit refused %1 commands: %2</source>
        <translation>Attenzione: la centralina ha rifiutato %1 comandi: %2</translation>
    </message>
    <message>
        <source>Attention: cannot write header file %1</source>
        <translation>Attenzione: impossibile scrivere il file d&apos;intestazione %1</translation>
    </message>
    <message numerus="yes">
        <source>listed</source>
        <translation>
            <numerusform>elencato</numerusform>
            <numerusform>elencati</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>not listed</source>
        <translation>
            <numerusform>non elencato</numerusform>
            <numerusform>non elencati</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>not cleared in the unit</source>
        <translation>
            <numerusform>non azzerato nella centralina</numerusform>
            <numerusform>non azzerati nella centralina</numerusform>
        </translation>
    </message>
    <message>
        <source>Block %1 cleared</source>
        <translation>Blocco %1 azzerato</translation>
    </message>
    <message numerus="yes">
        <source>cleared</source>
        <translation>
            <numerusform>azzerato</numerusform>
            <numerusform>azzerati</numerusform>
        </translation>
    </message>
    <message>
        <source>Blocks 01 to 30 cleared</source>
        <translation>Blocchi da 01 a 30 azzerati</translation>
    </message>
    <message>
        <source>Attention: choose the download folder with &quot;Folder&quot; first</source>
        <translation>Attenzione: scegliere prima la cartella di scarico con &quot;Cartella&quot;</translation>
    </message>
    <message>
        <source>the unit stopped answering</source>
        <translation>la centralina ha smesso di rispondere</translation>
    </message>
    <message>
        <source>not downloaded: the unit stopped answering before it</source>
        <translation>non scaricato: la centralina ha smesso di rispondere prima</translation>
    </message>
    <message>
        <source>stopped by the operator</source>
        <translation>interrotto dall&apos;operatore</translation>
    </message>
    <message>
        <source>not downloaded: stopped before it</source>
        <translation>non scaricato: interrotto prima</translation>
    </message>
    <message>
        <source>Attention: %1 has the export name of an earlier block of this run; kept under a name with its block number, as &quot;%2&quot;</source>
        <translation>Attenzione: %1 ha il nome di esportazione di un blocco precedente di questo scarico; conservato con un nome che porta il numero del blocco, come &quot;%2&quot;</translation>
    </message>
    <message>
        <source>Attention: %1 have the export name of an earlier block of this run; kept under a name with its block number, as &quot;%2&quot;</source>
        <translation>Attenzione: %1 hanno il nome di esportazione di un blocco precedente di questo scarico; conservati con un nome che porta il numero del blocco, come &quot;%2&quot;</translation>
    </message>
    <message numerus="yes">
        <source>downloaded</source>
        <translation>
            <numerusform>scaricato</numerusform>
            <numerusform>scaricati</numerusform>
        </translation>
    </message>
    <message>
        <source>Attention: cannot write into the download folder %1</source>
        <translation>Attenzione: impossibile scrivere nella cartella di scarico %1</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 e altre %2</translation>
    </message>
    <message>
        <source>Attention: %1 rows of readings could not be read, depths %2</source>
        <translation>Attenzione: non è stato possibile leggere %1 righe di letture, profondità %2</translation>
    </message>
    <message>
        <source>%1; nothing was downloaded</source>
        <translation>%1; non è stato scaricato nulla</translation>
    </message>
    <message>
        <source>Attention: the download did not finish; these files were not replaced: %1, %2</source>
        <translation>Attenzione: lo scarico non è terminato; questi file non sono stati sostituiti: %1, %2</translation>
    </message>
    <message>
        <source>Attention: cannot replace file %1: %2</source>
        <translation>Attenzione: impossibile sostituire il file %1: %2</translation>
    </message>
    <message>
        <source>Attention: the other export file could not be written, so this one was not replaced: %1</source>
        <translation>Attenzione: non è stato possibile scrivere l&apos;altro file di esportazione, quindi questo non è stato sostituito: %1</translation>
    </message>
    <message>
        <source>Attention: the earlier file could not be put back; it is kept as %1</source>
        <translation>Attenzione: non è stato possibile ripristinare il file precedente; è conservato come %1</translation>
    </message>
    <message>
        <source>Block %1</source>
        <translation>Blocco %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1, readout %2 of %3/%4/%5</source>
        <translation>%1, lettura n. %2 del %3/%4/%5</translation>
    </message>
    <message>
        <source>%1, readout %2</source>
        <translation>%1, lettura n. %2</translation>
    </message>
    <message>
        <source>%1 - its readings are not in the survey library</source>
        <translation>%1 - le sue letture non sono nell&apos;archivio delle misure</translation>
    </message>
    <message>
        <source>%1: contents not read since the program started (Read All Blocks shows them)</source>
        <translation>%1: contenuto non letto dall&apos;avvio del programma (Leggi tutti i blocchi lo mostra)</translation>
    </message>
    <message>
        <source>Blocks %1</source>
        <translation>Blocchi %1</translation>
    </message>
    <message>
        <source>%1, no readings</source>
        <translation>%1, nessuna lettura</translation>
    </message>
    <message>
        <source>Blocks %1 to %2</source>
        <translation>Blocchi da %1 a %2</translation>
    </message>
    <message>
        <source>Blocks %1 to %2, among them:</source>
        <translation>Blocchi da %1 a %2, tra cui:</translation>
    </message>
    <message>
        <source>and %1 more: Show Details…</source>
        <translation>e altri %1: Mostra dettagli…</translation>
    </message>
    <message>
        <source>%1 still holds the start-up default header (CLIENT and its number, SITE0000) and will get it</source>
        <translation>%1 ha ancora l&apos;intestazione predefinita dell&apos;avvio (CLIENT e il suo numero, SITE0000) e la riceverà</translation>
    </message>
    <message>
        <source>%1 still hold the start-up default header (CLIENT and its number, SITE0000) and will get it</source>
        <translation>%1 hanno ancora l&apos;intestazione predefinita dell&apos;avvio (CLIENT e il suo numero, SITE0000) e la riceveranno</translation>
    </message>
    <message>
        <source>Write %1 Only</source>
        <translation>Scrivi solo %1</translation>
    </message>
    <message>
        <source>Write the %1 Blocks Set Only</source>
        <translation>Scrivi solo i %1 blocchi impostati</translation>
    </message>
    <message>
        <source>Attention: cannot read header file %1</source>
        <translation>Attenzione: impossibile leggere il file d&apos;intestazione %1</translation>
    </message>
    <message>
        <source>Attention: Insert block number</source>
        <translation>Attenzione: inserire il numero del blocco</translation>
    </message>
    <message>
        <source>Attention: Incorrect block number</source>
        <translation>Attenzione: numero di blocco errato</translation>
    </message>
    <message>
        <source>Attention: Invalid DEPTH value</source>
        <translation>Attenzione: valore di PROFONDITÀ non valido</translation>
    </message>
    <message>
        <source>whole header</source>
        <translation>intestazione intera</translation>
    </message>
    <message>
        <source>block %1 %2</source>
        <translation>blocco %1 %2</translation>
    </message>
    <message>
        <source>blocks %1 to %2 %3</source>
        <translation>blocchi da %1 a %2 %3</translation>
    </message>
    <message>
        <source>Attention: %1 header rows could not be read: %2</source>
        <translation>Attenzione: non è stato possibile leggere %1 righe d&apos;intestazione: %2</translation>
    </message>
    <message numerus="yes">
        <source>not read</source>
        <translation>
            <numerusform>non letto</numerusform>
            <numerusform>non letti</numerusform>
        </translation>
    </message>
    <message>
        <source>Block %1 read</source>
        <translation>Blocco %1 letto</translation>
    </message>
    <message numerus="yes">
        <source>read into the header file</source>
        <translation>
            <numerusform>letto nel file d&apos;intestazione</numerusform>
            <numerusform>letti nel file d&apos;intestazione</numerusform>
        </translation>
    </message>
    <message>
        <source>Headers of blocks 01 to 30 read into the header file</source>
        <translation>Intestazioni dei blocchi da 01 a 30 lette nel file d&apos;intestazione</translation>
    </message>
    <message>
        <source>client</source>
        <translation>cliente</translation>
    </message>
    <message>
        <source>site</source>
        <translation>cantiere</translation>
    </message>
    <message>
        <source>tube</source>
        <translation>tubo</translation>
    </message>
    <message>
        <source>depth</source>
        <translation>profondità</translation>
    </message>
    <message>
        <source>step</source>
        <translation>passo</translation>
    </message>
    <message>
        <source>guides</source>
        <translation>guide</translation>
    </message>
    <message>
        <source>north</source>
        <translation>nord</translation>
    </message>
    <message>
        <source>readout number</source>
        <translation>lettura n.</translation>
    </message>
    <message>
        <source>date</source>
        <translation>data</translation>
    </message>
    <message>
        <source>time</source>
        <translation>ora</translation>
    </message>
    <message>
        <source>closing command not sent</source>
        <translation>comando di chiusura non inviato</translation>
    </message>
    <message numerus="yes">
        <source>not written</source>
        <translation>
            <numerusform>non scritto</numerusform>
            <numerusform>non scritti</numerusform>
        </translation>
    </message>
    <message>
        <source>Block %1 written</source>
        <translation>Blocco %1 scritto</translation>
    </message>
    <message numerus="yes">
        <source>written</source>
        <translation>
            <numerusform>scritto</numerusform>
            <numerusform>scritti</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 written</source>
        <translation>
            <numerusform>%1 scritto</numerusform>
            <numerusform>%1 scritti</numerusform>
        </translation>
    </message>
    <message>
        <source>ATTENTION: ALL MEMORY DATA WILL BE LOST, WOULD YOU LIKE TO CONTINUE ?</source>
        <translation>ATTENZIONE: TUTTI I DATI IN MEMORIA ANDRANNO PERSI, VUOI CONTINUARE ?</translation>
    </message>
    <message>
        <source>year</source>
        <translation>anno</translation>
    </message>
    <message>
        <source>month</source>
        <translation>mese</translation>
    </message>
    <message>
        <source>day</source>
        <translation>giorno</translation>
    </message>
    <message>
        <source>hour</source>
        <translation>ora</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>minuti</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>secondi</translation>
    </message>
    <message>
        <source>%1 (%2) must be %3 to %4</source>
        <translation>%1 (%2) deve essere da %3 a %4</translation>
    </message>
    <message>
        <source>DD (day) must be 01 to %1 in month %2/%3</source>
        <translation>GG (giorno) deve essere da 01 a %1 nel mese %2/%3</translation>
    </message>
    <message>
        <source>clock not read</source>
        <translation>orologio non letto</translation>
    </message>
    <message>
        <source>Clock read: %1</source>
        <translation>Orologio letto: %1</translation>
    </message>
    <message>
        <source>Attention: Invalid date or time: %1</source>
        <translation>Attenzione: data o ora non valida: %1</translation>
    </message>
    <message>
        <source>The unit&apos;s clock will be set to %1 (DD/MM/YY hh:mm:ss).</source>
        <translation>L&apos;orologio della centralina sarà impostato a %1 (GG/MM/AA hh:mm:ss).</translation>
    </message>
    <message>
        <source>clock not written</source>
        <translation>orologio non scritto</translation>
    </message>
    <message>
        <source>Clock set to %1</source>
        <translation>Orologio impostato a %1</translation>
    </message>
    <message>
        <source>ATTENTION: ACTIVATE CLOCK, WOULD YOU LIKE TO CONTINUE ?</source>
        <translation>ATTENZIONE: IMPOSTAZIONE DELL&apos;OROLOGIO, VUOI CONTINUARE ?</translation>
    </message>
    <message>
        <source>Attention: Invalid date or time</source>
        <translation>Attenzione: data o ora non valida</translation>
    </message>
    <message>
        <source>Attention: the clock could not be read</source>
        <translation>Attenzione: non è stato possibile leggere l&apos;orologio</translation>
    </message>
    <message>
        <source>Delay for Automatic Cycle is incorrect: a whole number from 3 to 9 is allowed</source>
        <translation>Il ritardo del ciclo automatico non è corretto: è ammesso un numero intero da 3 a 9</translation>
    </message>
    <message>
        <source>delay not written</source>
        <translation>ritardo non scritto</translation>
    </message>
    <message>
        <source>Delay for Automatic Cycle set to %1</source>
        <translation>Ritardo del ciclo automatico impostato a %1</translation>
    </message>
    <message>
        <source>Delay for Automatic Cycle is incorrect</source>
        <translation>Il ritardo del ciclo automatico non è corretto</translation>
    </message>
    <message>
        <source>Gain and zero of blocks 01 to 30 are rewritten with the default values (gain +1.0000, zero +0.0000, both channels).</source>
        <translation>Guadagno e zero dei blocchi da 01 a 30 sono riscritti con i valori predefiniti (guadagno +1.0000, zero +0.0000, entrambi i canali).</translation>
    </message>
    <message numerus="yes">
        <source>set to the default zero and gain</source>
        <translation>
            <numerusform>riportato a zero e guadagno predefiniti</numerusform>
            <numerusform>riportati a zero e guadagno predefiniti</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>not changed</source>
        <translation>
            <numerusform>non modificato</numerusform>
            <numerusform>non modificati</numerusform>
        </translation>
    </message>
    <message>
        <source>Default zero and gain written to blocks 01 to 30</source>
        <translation>Zero e guadagno predefiniti scritti nei blocchi da 01 a 30</translation>
    </message>
    <message>
        <source>ATTENTION: SET DEFAULT ZERO/GAIN, WOULD YOU LIKE TO CONTINUE ?</source>
        <translation>ATTENZIONE: RIPRISTINO DI ZERO/GUADAGNO PREDEFINITI, VUOI CONTINUARE ?</translation>
    </message>
    <message>
        <source>Attention: %1 row of readings could not be read, depths %2</source>
        <translation>Attenzione: non è stato possibile leggere %1 riga di letture, profondità %2</translation>
    </message>
    <message>
        <source>Attention: %1 header row could not be read: %2</source>
        <translation>Attenzione: non è stato possibile leggere %1 riga d&apos;intestazione: %2</translation>
    </message>
    <message>
        <source>Usage: tarvelon %1 %2</source>
        <translation>Uso: tarvelon %1 %2</translation>
    </message>
    <message>
        <source>130 stopped by Ctrl+C or Ctrl+Break (129 when its console window is closed).</source>
        <translation>130 interrotto con Ctrl+C o Ctrl+Break (129 quando si chiude la sua finestra della console).</translation>
    </message>
    <message>
        <source>130 stopped by Ctrl+C (143 by SIGTERM, 129 by SIGHUP).</source>
        <translation>130 interrotto con Ctrl+C (143 da SIGTERM, 129 da SIGHUP).</translation>
    </message>
    <message>
        <source>Usage: tarvelon COMMAND [options]

The jobs of Tarvelon Manager without its window: the TARVELON readout unit on a serial port,
and the survey library.

Commands:
</source>
        <translation>Uso: tarvelon COMANDO [opzioni]

I lavori di Tarvelon Manager senza la sua finestra: la centralina TARVELON su una porta seriale
e l&apos;archivio delle misure.

Comandi:
</translation>
    </message>
    <message>
        <source>
Options:
  -h, --help, /?  Displays help (with a command: the command&apos;s options).
  -v, --version   Displays version information.
  --language LANGUAGE
                  Speaks this language (en, it) instead of the one LANGUAGE, LC_ALL,
                  LC_MESSAGES or LANG name.

Output: on a terminal as it shows text; into a pipe or a file as UTF-8, paths exactly as
on disk.

Exit status: 0 done, 1 failed, 2 wrong usage, %1
</source>
        <translation>
Opzioni:
  -h, --help, /?  Mostra l&apos;aiuto (con un comando: le opzioni del comando).
  -v, --version   Mostra la versione.
  --language LANGUAGE
                  Usa questa lingua (en, it) invece di quella indicata da LANGUAGE, LC_ALL,
                  LC_MESSAGES o LANG.

Uscita: su un terminale come esso mostra il testo; in una pipe o in un file come UTF-8, i percorsi
esattamente come sul disco.

Stato di uscita: 0 fatto, 1 non riuscito, 2 uso errato, %1
</translation>
    </message>
    <message>
        <source>%1 (tarvelon --help lists the commands)</source>
        <translation>%1 (tarvelon --help elenca i comandi)</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Mostra questo aiuto.</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>argomento inatteso &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The language to speak in.</source>
        <translation>La lingua da usare.</translation>
    </message>
    <message>
        <source>The job to do.</source>
        <translation>Il lavoro da fare.</translation>
    </message>
    <message>
        <source>Usage: tarvelon COMMAND [options]</source>
        <translation>Uso: tarvelon COMANDO [opzioni]</translation>
    </message>
    <message>
        <source>unknown language &quot;%1&quot; (en or it)</source>
        <translation>lingua sconosciuta &quot;%1&quot; (en o it)</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>nessun comando indicato</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>comando sconosciuto &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The serial port: a system name (COM3, \\.\COM12) or 1 to 4 for Com 1 to Com 4.</source>
        <translation>La porta seriale: un nome di sistema (COM3, \\.\COM12) o da 1 a 4 per Com 1 a Com 4.</translation>
    </message>
    <message>
        <source>The serial port: a system name (/dev/ttyUSB0, /dev/ttyS0) or 1 to 4 for Com 1 to Com 4.</source>
        <translation>La porta seriale: un nome di sistema (/dev/ttyUSB0, /dev/ttyS0) o da 1 a 4 per Com 1 a Com 4.</translation>
    </message>
    <message>
        <source>Record every byte sent to the unit and received from it, with its time, in FILE (replaced), to send when a unit misbehaves.</source>
        <translation>Registra ogni byte inviato alla centralina e ricevuto da essa, con il suo orario, in FILE (sostituito), da inviare quando una centralina non si comporta bene.</translation>
    </message>
    <message>
        <source>No progress line on the terminal.</source>
        <translation>Nessuna riga d&apos;avanzamento sul terminale.</translation>
    </message>
    <message>
        <source>The survey library: a file, or a server&apos;s connection (postgresql://... or service=NAME) (default: the window&apos;s, surveys.sqlite in the user&apos;s application-data folder).</source>
        <translation>L&apos;archivio delle misure: un file o la connessione a un server (postgresql://... o service=NOME) (predefinito: quello della finestra, surveys.sqlite nella cartella dei dati applicativi dell&apos;utente).</translation>
    </message>
    <message>
        <source>Keep the downloads out of the survey library.</source>
        <translation>Tiene gli scarichi fuori dall&apos;archivio delle misure.</translation>
    </message>
    <message>
        <source>--library and --no-library cannot be used together</source>
        <translation>--library e --no-library non si possono usare insieme</translation>
    </message>
    <message>
        <source>--%1 is needed</source>
        <translation>serve --%1</translation>
    </message>
    <message>
        <source>The serial ports present, one a line: system name, then description.</source>
        <translation>Le porte seriali presenti, una per riga: nome di sistema, poi descrizione.</translation>
    </message>
    <message>
        <source>A CSV table with a header line instead of columns.</source>
        <translation>Una tabella CSV con una riga d&apos;intestazione invece delle colonne.</translation>
    </message>
    <message>
        <source>header incomplete</source>
        <translation>intestazione incompleta</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>vuoto</translation>
    </message>
    <message>
        <source>measured</source>
        <translation>misurato</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Passo</translation>
    </message>
    <message>
        <source>Readout</source>
        <translation>Lettura</translation>
    </message>
    <message>
        <source>The unit&apos;s 30 blocks, one a line, empty blocks marked.</source>
        <translation>I 30 blocchi della centralina, uno per riga, con i blocchi vuoti segnalati.</translation>
    </message>
    <message>
        <source>The download folder (it must exist).</source>
        <translation>La cartella di scarico (deve esistere).</translation>
    </message>
    <message>
        <source>A block to download, 1 to 30; repeat it, or give a list (5,7) or a range (2-5).</source>
        <translation>Un blocco da scaricare, da 1 a 30; ripetere l&apos;opzione, o dare un elenco (5,7) o un intervallo (2-5).</translation>
    </message>
    <message>
        <source>Every block that holds readings.</source>
        <translation>Ogni blocco che contiene letture.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; (blocks are 1 to 30, as 5, 05 or a range 2-5)</source>
        <translation>%1: &quot;%2&quot; (i blocchi vanno da 1 a 30, come 5, 05 o un intervallo 2-5)</translation>
    </message>
    <message>
        <source>give the blocks with --block N, or --all</source>
        <translation>indicare i blocchi con --block N, o --all</translation>
    </message>
    <message>
        <source>no block of the unit holds readings</source>
        <translation>nessun blocco della centralina contiene letture</translation>
    </message>
    <message>
        <source>block %1: %2</source>
        <translation>blocco %1: %2</translation>
    </message>
    <message>
        <source>block %1: kept in the survey library marked incomplete</source>
        <translation>blocco %1: conservato nell&apos;archivio delle misure come incompleto</translation>
    </message>
    <message>
        <source>Blocks of the unit into export files, the same files as the window&apos;s, and into the survey library.</source>
        <translation>Blocchi della centralina nei file di esportazione, gli stessi della finestra, e nell&apos;archivio delle misure.</translation>
    </message>
    <message>
        <source>Set the clock: &quot;now&quot; (this computer&apos;s local time) or YYMMDDhhmmss.</source>
        <translation>Imposta l&apos;orologio: &quot;now&quot; (l&apos;ora locale di questo computer) o AAMMGGhhmmss.</translation>
    </message>
    <message>
        <source>--set needs &quot;now&quot; or a date and time as YYMMDDhhmmss, not &quot;%1&quot;</source>
        <translation>--set vuole &quot;now&quot; o una data e ora come AAMMGGhhmmss, non &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Read the unit&apos;s clock, or set it.</source>
        <translation>Legge l&apos;orologio della centralina, o lo imposta.</translation>
    </message>
    <message>
        <source>The folder the downloads will go to. The one offered at first is named &quot;dati&quot;, Italian for &quot;data&quot;.</source>
        <translation>La cartella in cui andranno gli scarichi. Quella proposta all&apos;inizio si chiama &quot;dati&quot;.</translation>
    </message>
    <message>
        <source>the value of --%1 ends in \&quot; (&quot;%2\&quot;), which Windows reads as a quote mark: leave out the last backslash (--%1 &quot;%3&quot;)</source>
        <translation>il valore di --%1 finisce con \&quot; (&quot;%2\&quot;), che Windows legge come virgolette: togliere l&apos;ultima barra rovesciata (--%1 &quot;%3&quot;)</translation>
    </message>
    <message>
        <source>the value of --%1 ends in \&quot; (&quot;%2\&quot;), which Windows reads as a quote mark, so it took in what followed it (%3): leave out the last backslash (--%1 &quot;%4&quot;)</source>
        <translation>il valore di --%1 finisce con \&quot; (&quot;%2\&quot;), che Windows legge come virgolette, e così ha preso con sé ciò che seguiva (%3): togliere l&apos;ultima barra rovesciata (--%1 &quot;%4&quot;)</translation>
    </message>
    <message>
        <source>Surveys window</source>
        <translation>Finestra Misure</translation>
    </message>
    <message>
        <source>(surveys)</source>
        <translation>(misure)</translation>
    </message>
    <message>
        <source>The library by client, site and tube, each tube&apos;s readouts by their own date: the base is marked (base), an incomplete readout (incomplete), one beyond a threshold ALERT or ALARM. Choose readouts of one tube to compare them with its base.</source>
        <translation>L&apos;archivio per cliente, cantiere e tubo, le letture di ogni tubo per data: la lettura di riferimento è segnata (riferimento), una lettura incompleta (incompleta), una oltre una soglia ATTENZIONE o ALLARME. Scegliere letture di un tubo per confrontarle con la sua lettura di riferimento.</translation>
    </message>
    <message>
        <source>Mark as Base</source>
        <translation>Segna come riferimento</translation>
    </message>
    <message>
        <source>Make the chosen readout its tube&apos;s base, the one the others are compared with; on the base itself, unmark it. The base is kept in the library.</source>
        <translation>Fa della lettura scelta la lettura di riferimento del suo tubo, quella con cui si confrontano le altre; sulla lettura di riferimento stessa, la toglie. La scelta è conservata nell&apos;archivio.</translation>
    </message>
    <message>
        <source>Tube Settings...</source>
        <translation>Impostazioni tubo...</translation>
    </message>
    <message>
        <source>Set the tube&apos;s probe constant K, units, north and alert and alarm thresholds, kept in the library.</source>
        <translation>Imposta la costante della sonda K del tubo, le unità, il nord e le soglie di attenzione e di allarme, conservate nell&apos;archivio.</translation>
    </message>
    <message>
        <source>Propose corrections...</source>
        <translation>Proponi correzioni...</translation>
    </message>
    <message>
        <source>Show the corrections of the probe&apos;s bias, rotation and depth that the chosen readout&apos;s own readings propose, with the evidence, and the corrections kept with it: accept some or all, switch one off, or clear them.</source>
        <translation>Mostra le correzioni di zero (bias), rotazione e profondità della sonda che le letture stesse della lettura scelta propongono, con le prove, e le correzioni conservate con essa: accettarne alcune o tutte, disattivarne una o cancellarle.</translation>
    </message>
    <message>
        <source>Probe...</source>
        <translation>Sonda...</translation>
    </message>
    <message>
        <source>Set the serial and constant of the probe that read the chosen readout (taken from the tube&apos;s settings when it was downloaded or imported); a readout read with another probe than its base is reduced with its own constant and says so.</source>
        <translation>Imposta la matricola e la costante della sonda che ha eseguito la lettura scelta (prese dalle impostazioni del tubo quando fu scaricata o importata); una lettura eseguita con una sonda diversa da quella della lettura di riferimento è elaborata con la propria costante e lo dichiara.</translation>
    </message>
    <message>
        <source>Report...</source>
        <translation>Rapporto...</translation>
    </message>
    <message>
        <source>Save the tube report: an A4 PDF/A with the title block and the summary of every readout, the A and B charts and the chart against time of the chosen readouts (all when one or none is chosen), and the depth table of the latest of them. Its title, plan depth and tables are asked first.</source>
        <translation>Salva il rapporto del tubo: un PDF/A in A4 con il cartiglio e il riepilogo di ogni lettura, i grafici A e B e il grafico nel tempo delle letture scelte (tutte quando ne è scelta una o nessuna) e la tabella per profondità dell&apos;ultima. Prima chiede titolo, profondità della vista in pianta e tabelle.</translation>
    </message>
    <message>
        <source>(depth)</source>
        <translation>(profondità)</translation>
    </message>
    <message>
        <source>The depth whose displacement against time is drawn.</source>
        <translation>La profondità di cui si disegna lo spostamento nel tempo.</translation>
    </message>
    <message>
        <source>(site&apos;s tubes)</source>
        <translation>(tubi del cantiere)</translation>
    </message>
    <message>
        <source>Every tube of the site chosen in the tree (or of the client&apos;s sites), the most alarming and fastest first: its latest readout, how long ago, whether it is overdue, its largest displacement, rate, status with the criterion that set it, and when its alarm would be reached at the rate of its latest readouts. Double-click a tube to open it.</source>
        <translation>Ogni tubo del cantiere scelto nell&apos;albero (o dei cantieri del cliente), prima i più allarmanti e i più veloci: l&apos;ultima lettura, quanto tempo fa, se è in ritardo, lo spostamento massimo, la velocità di spostamento, lo stato con il criterio che lo ha dato, e quando la soglia di allarme sarebbe raggiunta alla velocità delle ultime letture. Doppio clic su un tubo per aprirlo.</translation>
    </message>
    <message>
        <source>Arrows at depth (m)</source>
        <translation>Frecce alla profondità (m)</translation>
    </message>
    <message>
        <source>The depth whose resultant each tube&apos;s arrow on the site plan shows: the top of each tube, or a depth chosen.</source>
        <translation>La profondità di cui la freccia di ogni tubo sulla pianta del cantiere mostra la risultante: la testa di ogni tubo o una profondità scelta.</translation>
    </message>
    <message>
        <source>Site Report...</source>
        <translation>Rapporto cantiere...</translation>
    </message>
    <message>
        <source>Write the site&apos;s report: its table and plan on the first page, then a page per tube with its charts.</source>
        <translation>Scrive il rapporto del cantiere: la tabella e la pianta nella prima pagina, poi una pagina per tubo con i suoi grafici.</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importa...</translation>
    </message>
    <message>
        <source>Add export files already on disk to the library: a header export file with its readings export file, or a folder of them.</source>
        <translation>Aggiunge all&apos;archivio file di esportazione già su disco: un file di esportazione dell&apos;intestazione con il suo file di esportazione delle letture, o una cartella che li contiene.</translation>
    </message>
    <message>
        <source>Export Charts...</source>
        <translation>Esporta grafici...</translation>
    </message>
    <message>
        <source>Save each chart of the tube as a PNG picture, at 96, 150 or 300 dpi as chosen, and an SVG drawing.</source>
        <translation>Salva ogni grafico del tubo come immagine PNG, a 96, 150 o 300 dpi a scelta, e come disegno SVG.</translation>
    </message>
    <message>
        <source>Export Table...</source>
        <translation>Esporta tabella...</translation>
    </message>
    <message>
        <source>Save the chosen readouts&apos; displacements as a CSV table, one row per readout and depth.</source>
        <translation>Salva gli spostamenti delle letture scelte come tabella CSV, una riga per lettura e profondità.</translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation>Elimina...</translation>
    </message>
    <message>
        <source>Delete the chosen readout from the library, with its readings and corrections, after a question that names it; a tube whose base it was has no base afterwards.</source>
        <translation>Elimina dall&apos;archivio la lettura scelta, con i suoi valori e le sue correzioni, dopo una domanda che la nomina; un tubo di cui era la lettura di riferimento resta senza.</translation>
    </message>
    <message>
        <source>Sync...</source>
        <translation>Sincronizza...</translation>
    </message>
    <message>
        <source>Sync this computer&apos;s library with another, a file or a server: the surveys and corrections it lacks are sent, and each tube&apos;s settings go whichever way they were changed last.</source>
        <translation>Sincronizza l&apos;archivio di questo computer con un altro, un file o un server: le misure e le correzioni mancanti vengono inviate, e le impostazioni di ogni tubo seguono l&apos;ultima modifica, in un senso o nell&apos;altro.</translation>
    </message>
    <message>
        <source>Acknowledge...</source>
        <translation>Prendi atto...</translation>
    </message>
    <message>
        <source>Acknowledge the alarm the strip shows, with a note of what was done about it; your name and the time are kept with it, and the event stays in the alarm log.</source>
        <translation>Prende atto dell&apos;allarme mostrato dalla striscia, con una nota di quanto fatto; il vostro nome e l&apos;ora sono conservati con essa, e l&apos;evento resta nel registro degli allarmi.</translation>
    </message>
    <message>
        <source>Alarm Log...</source>
        <translation>Registro allarmi...</translation>
    </message>
    <message>
        <source>Show the alarm log: each time a readout reached or left a threshold, by displacement or by rate, who caused it and who acknowledged it; acknowledge the chosen events there.</source>
        <translation>Mostra il registro degli allarmi: ogni volta che una lettura ha raggiunto o lasciato una soglia, per spostamento o per velocità di spostamento, chi l&apos;ha causato e chi ne ha preso atto; lì si prende atto degli eventi scelti.</translation>
    </message>
    <message>
        <source>Corrections box</source>
        <translation>Finestra Correzioni</translation>
    </message>
    <message>
        <source>Deepest quiet stretch</source>
        <translation>Tratto stabile più profondo</translation>
    </message>
    <message>
        <source>Propose from the deepest stretch, from the toe up, whose changes stay within the reading noise.</source>
        <translation>Propone a partire dal tratto più profondo, dal fondo in su, le cui variazioni restano entro il rumore di lettura.</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Da</translation>
    </message>
    <message>
        <source>Propose from the stable zone between the two depths given, which the readout and the base must both hold.</source>
        <translation>Propone a partire dalla zona stabile tra le due profondità indicate, che la lettura e la lettura di riferimento devono entrambe contenere.</translation>
    </message>
    <message>
        <source>(from)</source>
        <translation>(da)</translation>
    </message>
    <message>
        <source>The shallowest depth of the stable zone, in metres.</source>
        <translation>La profondità minima della zona stabile, in metri.</translation>
    </message>
    <message>
        <source>(to)</source>
        <translation>(a)</translation>
    </message>
    <message>
        <source>The deepest depth of the stable zone, in metres.</source>
        <translation>La profondità massima della zona stabile, in metri.</translation>
    </message>
    <message>
        <source>Propose</source>
        <translation>Proponi</translation>
    </message>
    <message>
        <source>Propose again from the stable zone chosen; nothing is kept until accepted.</source>
        <translation>Propone di nuovo dalla zona stabile scelta; nulla è conservato finché non è accettato.</translation>
    </message>
    <message>
        <source>(evidence)</source>
        <translation>(prove)</translation>
    </message>
    <message>
        <source>The stable zone, each axis&apos;s residual change over it as read and corrected, its offset against the base and in the readouts either side, and the checksums&apos; move from the base&apos;s.</source>
        <translation>La zona stabile, la variazione residua di ogni asse su di essa come letta e come corretta, il suo scarto rispetto alla lettura di riferimento e nelle letture prima e dopo, e lo spostamento delle somme di controllo da quelle della lettura di riferimento.</translation>
    </message>
    <message>
        <source>(proposed)</source>
        <translation>(proposte)</translation>
    </message>
    <message>
        <source>The corrections proposed, each with what it does to the displacement at the top and where it moves most: those the evidence supports come checked; one it does not comes unchecked with the reason.</source>
        <translation>Le correzioni proposte, ciascuna con il suo effetto sullo spostamento in testa e dove cambia di più: quelle sostenute dalle prove sono spuntate; una che non lo è resta non spuntata con il motivo.</translation>
    </message>
    <message>
        <source>Why keep a refused one</source>
        <translation>Perché tenere una rifiutata</translation>
    </message>
    <message>
        <source>Why you keep a proposal the program refused; kept with the correction and printed in the report.</source>
        <translation>Perché tenete una proposta che il programma ha rifiutato; conservato con la correzione e stampato nel rapporto.</translation>
    </message>
    <message>
        <source>Accept Checked</source>
        <translation>Accetta spuntate</translation>
    </message>
    <message>
        <source>Keep the checked proposals with the readout, each in place of a kept one of its kind and axis; the window redraws corrected at once.</source>
        <translation>Conserva con la lettura le proposte spuntate, ciascuna al posto di una conservata dello stesso tipo e asse; la finestra si ridisegna subito corretta.</translation>
    </message>
    <message>
        <source>(kept)</source>
        <translation>(conservate)</translation>
    </message>
    <message>
        <source>The corrections kept with the readout: uncheck one to switch it off (kept, stated, not applied).</source>
        <translation>Le correzioni conservate con la lettura: togliere la spunta per disattivarne una (conservata, dichiarata, non applicata).</translation>
    </message>
    <message>
        <source>Clear All...</source>
        <translation>Cancella tutte...</translation>
    </message>
    <message>
        <source>Remove every correction kept with the readout, after a question.</source>
        <translation>Toglie ogni correzione conservata con la lettura, dopo una domanda.</translation>
    </message>
    <message>
        <source>Clear and Propose Again</source>
        <translation>Cancella e riproponi</translation>
    </message>
    <message>
        <source>Remove the corrections found for the other reduction of the second pass and propose again for this one.</source>
        <translation>Toglie le correzioni trovate per l&apos;altra elaborazione del secondo passaggio e propone di nuovo per questa.</translation>
    </message>
    <message>
        <source>Library...</source>
        <translation>Archivio...</translation>
    </message>
    <message>
        <source>Choose the survey library: this computer&apos;s own file, or a firm&apos;s library on a PostgreSQL server. The choice is remembered; downloads are kept in the library chosen.</source>
        <translation>Sceglie l&apos;archivio delle misure: il file di questo computer o l&apos;archivio di una ditta su un server PostgreSQL. La scelta è ricordata; gli scarichi sono conservati nell&apos;archivio scelto.</translation>
    </message>
    <message>
        <source>Survey Library box</source>
        <translation>Finestra Archivio delle misure</translation>
    </message>
    <message>
        <source>This computer&apos;s file</source>
        <translation>File di questo computer</translation>
    </message>
    <message>
        <source>The survey library in a file of this computer, the default.</source>
        <translation>L&apos;archivio delle misure in un file di questo computer, la scelta predefinita.</translation>
    </message>
    <message>
        <source>A server (PostgreSQL)</source>
        <translation>Un server (PostgreSQL)</translation>
    </message>
    <message>
        <source>The firm&apos;s survey library on a PostgreSQL server, given by the boxes below or by one connection line.</source>
        <translation>L&apos;archivio delle misure della ditta su un server PostgreSQL, indicato dalle caselle sotto o da una riga di connessione.</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>The server&apos;s name or address.</source>
        <translation>Il nome o l&apos;indirizzo del server.</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Porta</translation>
    </message>
    <message>
        <source>The server&apos;s port, 5432 unless the administrator says otherwise.</source>
        <translation>La porta del server, 5432 salvo diversa indicazione dell&apos;amministratore.</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Database</translation>
    </message>
    <message>
        <source>The database that holds the firm&apos;s library.</source>
        <translation>Il database che contiene l&apos;archivio della ditta.</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Utente</translation>
    </message>
    <message>
        <source>Your login on the server; empty for your login name here.</source>
        <translation>Il vostro utente sul server; vuoto per il vostro nome utente su questo computer.</translation>
    </message>
    <message>
        <source>TLS</source>
        <translation>TLS</translation>
    </message>
    <message>
        <source>How the connection is protected: verify-full checks the server&apos;s certificate and name (the safe choice over any network).</source>
        <translation>Come è protetta la connessione: verify-full controlla il certificato e il nome del server (la scelta sicura su qualsiasi rete).</translation>
    </message>
    <message>
        <source>or connection</source>
        <translation>o connessione</translation>
    </message>
    <message>
        <source>One connection line instead of the boxes: postgresql://host:port/database?sslmode=verify-full, or service=NAME from your pg_service.conf. A password typed here is not kept.</source>
        <translation>Una riga di connessione al posto delle caselle: postgresql://host:port/database?sslmode=verify-full, o service=NOME dal vostro pg_service.conf. Una password scritta qui non è conservata.</translation>
    </message>
    <message>
        <source>Authority&apos;s certificate</source>
        <translation>Certificato dell&apos;autorità</translation>
    </message>
    <message>
        <source>The certificate of the authority that signed the server&apos;s certificate (the firm&apos;s own, as a .crt or .pem file): kept as a path with the choice. Empty: the file PostgreSQL looks for in your folder.</source>
        <translation>Il certificato dell&apos;autorità che ha firmato il certificato del server (quella della ditta, come file .crt o .pem): conservato come percorso con la scelta. Vuoto: il file che PostgreSQL cerca nella vostra cartella.</translation>
    </message>
    <message>
        <source>Authority&apos;s certificate...</source>
        <translation>Certificato dell&apos;autorità...</translation>
    </message>
    <message>
        <source>Choose the file of the authority&apos;s certificate your administrator gave you.</source>
        <translation>Sceglie il file del certificato dell&apos;autorità fornito dal vostro amministratore.</translation>
    </message>
    <message>
        <source>Tube Settings box</source>
        <translation>Finestra Impostazioni tubo</translation>
    </message>
    <message>
        <source>Probe constant K</source>
        <translation>Costante della sonda K</translation>
    </message>
    <message>
        <source>Reading units for sin = 1, as the probe&apos;s certificate gives it (typically 20000 or 25000); without it no displacement in mm is worked out.</source>
        <translation>Unità di lettura per sin = 1, come indicato dal certificato della sonda (di solito 20000 o 25000); senza di essa non si calcola alcuno spostamento in mm.</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Unità</translation>
    </message>
    <message>
        <source>Millimetres or inches, for charts, tables, CSV and report.</source>
        <translation>Millimetri o pollici, per grafici, tabelle, CSV e rapporto.</translation>
    </message>
    <message>
        <source>North of A0 (degrees)</source>
        <translation>Nord di A0 (gradi)</translation>
    </message>
    <message>
        <source>Degrees clockwise from north of the A0 groove; B0 lies 90 degrees clockwise from A0.</source>
        <translation>Gradi in senso orario dal nord della guida A0; B0 sta a 90 gradi in senso orario da A0.</translation>
    </message>
    <message>
        <source>A reading&apos;s depth marks</source>
        <translation>La profondità di una lettura indica</translation>
    </message>
    <message>
        <source>The point of the probe a reading&apos;s depth gives: its upper wheel (as this unit&apos;s depths are taken), its lower wheel or its centre. Every value is placed at the top of the interval the probe read.</source>
        <translation>Il punto della sonda dato dalla profondità di una lettura: la rotella superiore (come sono prese le profondità di questa centralina), quella inferiore o il centro. Ogni valore è posto in cima all&apos;intervallo letto dalla sonda.</translation>
    </message>
    <message>
        <source>Gauge length (m)</source>
        <translation>Base di misura (m)</translation>
    </message>
    <message>
        <source>The probe&apos;s wheel base, 0.5 m for most probes; a gauge other than the reading step is warned about.</source>
        <translation>L&apos;interasse delle rotelle della sonda, 0,5 m per la maggior parte delle sonde; una base diversa dal passo di lettura è segnalata.</translation>
    </message>
    <message>
        <source>Alert (mm or in)</source>
        <translation>Attenzione (mm o in)</translation>
    </message>
    <message>
        <source>Cumulative displacement that raises an alert, in the tube&apos;s units.</source>
        <translation>Spostamento cumulato che dà attenzione, nelle unità del tubo.</translation>
    </message>
    <message>
        <source>Alarm (mm or in)</source>
        <translation>Allarme (mm o in)</translation>
    </message>
    <message>
        <source>Cumulative displacement that raises an alarm, in the tube&apos;s units.</source>
        <translation>Spostamento cumulato che dà allarme, nelle unità del tubo.</translation>
    </message>
    <message>
        <source>Alert (per day)</source>
        <translation>Attenzione (al giorno)</translation>
    </message>
    <message>
        <source>Speed of the movement since the readout before that raises an alert, in the tube&apos;s units per day.</source>
        <translation>Velocità di spostamento dalla lettura precedente che dà attenzione, nelle unità del tubo al giorno.</translation>
    </message>
    <message>
        <source>Alarm (per day)</source>
        <translation>Allarme (al giorno)</translation>
    </message>
    <message>
        <source>Speed of the movement since the readout before that raises an alarm, in the tube&apos;s units per day.</source>
        <translation>Velocità di spostamento dalla lettura precedente che dà allarme, nelle unità del tubo al giorno.</translation>
    </message>
    <message>
        <source>Readings 3 and 4 hold the 180-degree pass</source>
        <translation>Le letture 3 e 4 sono il passaggio a 180 gradi</translation>
    </message>
    <message>
        <source>Check when the probe was also run turned by 180 degrees and the unit kept that pass in readings 3 and 4: A and B then come from both passes, and their checksums are shown.</source>
        <translation>Spuntare quando la sonda è stata passata anche ruotata di 180 gradi e la centralina ha tenuto quel passaggio nelle letture 3 e 4: A e B vengono allora da entrambi i passaggi, e se ne mostrano le somme di controllo.</translation>
    </message>
    <message>
        <source>Checksum tolerance (units)</source>
        <translation>Tolleranza somma di controllo (unità)</translation>
    </message>
    <message>
        <source>How far a readout&apos;s mean checksum may move from the base&apos;s before it is marked &quot;possible bias shift&quot;.</source>
        <translation>Di quanto la somma di controllo media di una lettura può scostarsi da quella della lettura di riferimento prima che sia segnata &quot;possible bias shift&quot; (possibile deriva dello zero).</translation>
    </message>
    <message>
        <source>Rates given</source>
        <translation>Velocità espresse</translation>
    </message>
    <message>
        <source>The time rates are given per, in the tables, charts, CSV and report; the rate thresholds are typed in it.</source>
        <translation>Il tempo a cui si riferiscono le velocità di spostamento in tabelle, grafici, CSV e rapporto; le soglie di velocità si scrivono in esso.</translation>
    </message>
    <message>
        <source>Fixed end</source>
        <translation>Estremo fisso</translation>
    </message>
    <message>
        <source>The end of the tube taken as not moving: the toe (the deepest depth shared with the base when a readout lacks the base&apos;s bottom rows), always the deepest depth shared, or the top, whose displacement is surveyed with each readout and entered with its corrections.</source>
        <translation>L&apos;estremo del tubo considerato fermo: il fondo (la profondità più grande comune con la lettura di riferimento quando a una lettura mancano le sue righe più basse), sempre la profondità più grande comune, o la testa, il cui spostamento è rilevato a ogni lettura e inserito con le sue correzioni.</translation>
    </message>
    <message>
        <source>Minimum rate interval (days)</source>
        <translation>Intervallo minimo per la velocità (giorni)</translation>
    </message>
    <message>
        <source>A readout closer than this to the one before has its rate measured against the latest readout at least this long before it: hours apart, a rate shows only the noise.</source>
        <translation>Una lettura più vicina di così alla precedente ha la velocità di spostamento misurata rispetto all&apos;ultima lettura distante almeno tanto: a poche ore di distanza, una velocità mostra solo il rumore.</translation>
    </message>
    <message>
        <source>Precision per interval</source>
        <translation>Precisione per intervallo</translation>
    </message>
    <message>
        <source>The random error of one reading interval (the trade&apos;s 0.16 mm); the band grows with the square root of the intervals from the fixed end, and a rate raises an alert or alarm only beyond it.</source>
        <translation>L&apos;errore casuale di un intervallo di lettura (gli 0,16 mm d&apos;uso); la fascia cresce con la radice quadrata degli intervalli dall&apos;estremo fisso, e una velocità dà attenzione o allarme solo oltre di essa.</translation>
    </message>
    <message>
        <source>Probe box</source>
        <translation>Finestra Sonda</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>Matricola</translation>
    </message>
    <message>
        <source>The serial number of the probe that read this readout, as its certificate gives it.</source>
        <translation>La matricola della sonda che ha eseguito questa lettura, come indicata dal suo certificato.</translation>
    </message>
    <message>
        <source>The constant of the probe that read this readout, reading units for sin = 1; &quot;the tube&apos;s&quot; uses the tube&apos;s setting. Each readout is reduced with its own constant, the base&apos;s values taken into it.</source>
        <translation>La costante della sonda che ha eseguito questa lettura, in unità di lettura per sin = 1; &quot;quella del tubo&quot; usa l&apos;impostazione del tubo. Ogni lettura è elaborata con la propria costante, con i valori della lettura di riferimento riportati in essa.</translation>
    </message>
    <message>
        <source>Placed on the site&apos;s plan</source>
        <translation>Posto sulla pianta del cantiere</translation>
    </message>
    <message>
        <source>Check to place the tube on its site&apos;s plan at the easting and northing below.</source>
        <translation>Spuntare per porre il tubo sulla pianta del suo cantiere alle coordinate est e nord qui sotto.</translation>
    </message>
    <message>
        <source>Easting (m)</source>
        <translation>Est (m)</translation>
    </message>
    <message>
        <source>Where the tube stands, metres east on the site&apos;s own grid, for the site&apos;s plan.</source>
        <translation>Dove si trova il tubo, in metri verso est sulla griglia del cantiere, per la pianta del cantiere.</translation>
    </message>
    <message>
        <source>Northing (m)</source>
        <translation>Nord (m)</translation>
    </message>
    <message>
        <source>Where the tube stands, metres north on the site&apos;s own grid, for the site&apos;s plan.</source>
        <translation>Dove si trova il tubo, in metri verso nord sulla griglia del cantiere, per la pianta del cantiere.</translation>
    </message>
    <message>
        <source>Read every (days)</source>
        <translation>Leggere ogni (giorni)</translation>
    </message>
    <message>
        <source>How often the tube should be read: the site&apos;s table marks it overdue when its latest readout is older; &quot;none&quot; at the lowest value.</source>
        <translation>Ogni quanto va letto il tubo: la tabella del cantiere lo segna in ritardo quando l&apos;ultima lettura è più vecchia; &quot;nessuna&quot; al valore più basso.</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Progetto</translation>
    </message>
    <message>
        <source>The project&apos;s name, printed in the tube&apos;s report.</source>
        <translation>Il nome del progetto, stampato nel rapporto del tubo.</translation>
    </message>
    <message>
        <source>Project number</source>
        <translation>Numero progetto</translation>
    </message>
    <message>
        <source>The project&apos;s number, printed in the report.</source>
        <translation>Il numero del progetto, stampato nel rapporto.</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ubicazione</translation>
    </message>
    <message>
        <source>Where the tube is, as the report names it.</source>
        <translation>Dove si trova il tubo, come lo indica il rapporto.</translation>
    </message>
    <message>
        <source>Casing top elevation (m)</source>
        <translation>Quota testa tubo (m)</translation>
    </message>
    <message>
        <source>The elevation of the casing&apos;s top, in metres, for the report; &quot;not set&quot; at the lowest value.</source>
        <translation>La quota della testa del tubo, in metri, per il rapporto; &quot;non impostata&quot; al valore più basso.</translation>
    </message>
    <message>
        <source>Probe serial</source>
        <translation>Matricola sonda</translation>
    </message>
    <message>
        <source>The probe&apos;s serial number, for the report.</source>
        <translation>La matricola della sonda, per il rapporto.</translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Remarks printed on the report&apos;s first page.</source>
        <translation>Note stampate nella prima pagina del rapporto.</translation>
    </message>
    <message>
        <source>Company (every report)</source>
        <translation>Ditta (ogni rapporto)</translation>
    </message>
    <message>
        <source>The company that writes the reports: kept by the program for every tube.</source>
        <translation>La ditta che redige i rapporti: conservata dal programma per ogni tubo.</translation>
    </message>
    <message>
        <source>Prepared by (every report)</source>
        <translation>Redatto da (ogni rapporto)</translation>
    </message>
    <message>
        <source>Who prepares the reports: kept by the program for every tube.</source>
        <translation>Chi redige i rapporti: conservato dal programma per ogni tubo.</translation>
    </message>
    <message>
        <source>Checked by (every report)</source>
        <translation>Verificato da (ogni rapporto)</translation>
    </message>
    <message>
        <source>Who checks the reports, printed beside the preparer: kept by the program for every tube.</source>
        <translation>Chi verifica i rapporti, stampato accanto a chi li redige: conservato dal programma per ogni tubo.</translation>
    </message>
    <message>
        <source>Tube Report box</source>
        <translation>Finestra Rapporto tubo</translation>
    </message>
    <message>
        <source>Report title</source>
        <translation>Titolo del rapporto</translation>
    </message>
    <message>
        <source>The title on the report&apos;s first page and running header; &quot;Inclinometer report&quot; when left empty.</source>
        <translation>Il titolo nella prima pagina del rapporto e nell&apos;intestazione delle pagine; &quot;Inclinometer report&quot; se lasciato vuoto.</translation>
    </message>
    <message>
        <source>Plan view at depth (m)</source>
        <translation>Vista in pianta alla profondità (m)</translation>
    </message>
    <message>
        <source>The depth whose resultant the plan view draws beside the top&apos;s, also drawn against time; by default the depth of the largest movement.</source>
        <translation>La profondità di cui la vista in pianta disegna la risultante accanto a quella della testa, disegnata anche nel tempo; di norma la profondità del movimento maggiore.</translation>
    </message>
    <message>
        <source>A depth table for every readout shown</source>
        <translation>Una tabella per profondità per ogni lettura mostrata</translation>
    </message>
    <message>
        <source>Check for a depth table of every chosen readout in the report, not only of the latest.</source>
        <translation>Spuntare per avere nel rapporto una tabella per profondità di ogni lettura scelta, non solo dell&apos;ultima.</translation>
    </message>
    <message>
        <source>%1 %2  No. %3</source>
        <translation>%1 %2  N. %3</translation>
    </message>
    <message>
        <source>Downloaded:</source>
        <translation>Scaricata:</translation>
    </message>
    <message>
        <source>Imported:</source>
        <translation>Importata:</translation>
    </message>
    <message>
        <source>Added:</source>
        <translation>Aggiunta:</translation>
    </message>
    <message>
        <source>Surveys</source>
        <translation>Misure</translation>
    </message>
    <message>
        <source> (incomplete)</source>
        <translation> (incompleta)</translation>
    </message>
    <message>
        <source>Rows of this readout were not read; a whole download or import of it completes it</source>
        <translation>Alcune righe di questa lettura non sono state lette; uno scarico o un&apos;importazione completa la completa</translation>
    </message>
    <message>
        <source>Possible bias shift: its %1. The probe may have read with another offset: &quot;Propose corrections...&quot; shows the evidence.</source>
        <translation>Possibile deriva dello zero (bias): %1. La sonda può aver letto con un altro zero: &quot;Proponi correzioni...&quot; ne mostra le prove.</translation>
    </message>
    <message>
        <source>not computed: %1</source>
        <translation>non calcolata: %1</translation>
    </message>
    <message>
        <source>  ALARM</source>
        <translation>  ALLARME</translation>
    </message>
    <message>
        <source>  ALERT</source>
        <translation>  ATTENZIONE</translation>
    </message>
    <message>
        <source>  not computed</source>
        <translation>  non calcolata</translation>
    </message>
    <message>
        <source>  possible bias shift</source>
        <translation>  possibile deriva dello zero</translation>
    </message>
    <message>
        <source> (base)</source>
        <translation> (riferimento)</translation>
    </message>
    <message>
        <source>Surveys - %1</source>
        <translation>Misure - %1</translation>
    </message>
    <message>
        <source>The survey library cannot be opened: %1</source>
        <translation>Impossibile aprire l&apos;archivio delle misure: %1</translation>
    </message>
    <message>
        <source>The survey library is read-only: %1</source>
        <translation>L&apos;archivio delle misure è di sola lettura: %1</translation>
    </message>
    <message>
        <source>No base readout for tube %1: &quot;Mark as Base&quot; on one of its readouts compares the others with it in millimetres.</source>
        <translation>Nessuna lettura di riferimento per il tubo %1: &quot;Segna come riferimento&quot; su una delle sue letture confronta le altre con essa in millimetri.</translation>
    </message>
    <message>
        <source>Tube %1: %2</source>
        <translation>Tubo %1: %2</translation>
    </message>
    <message>
        <source>Clear &amp;Base</source>
        <translation>Togli ri&amp;ferimento</translation>
    </message>
    <message>
        <source>Mark as &amp;Base</source>
        <translation>Segna come ri&amp;ferimento</translation>
    </message>
    <message>
        <source>The tube&apos;s settings cannot be kept: %1</source>
        <translation>Impossibile conservare le impostazioni del tubo: %1</translation>
    </message>
    <message>
        <source>The readout&apos;s probe cannot be kept: %1</source>
        <translation>Impossibile conservare la sonda della lettura: %1</translation>
    </message>
    <message>
        <source>The survey cannot be deleted: %1</source>
        <translation>Impossibile eliminare la misura: %1</translation>
    </message>
    <message>
        <source>The library is empty: every download adds its survey, and &quot;Import...&quot; adds export files already on disk.</source>
        <translation>L&apos;archivio è vuoto: ogni scarico aggiunge la sua misura, e &quot;Importa...&quot; aggiunge file di esportazione già su disco.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importa</translation>
    </message>
    <message>
        <source>Written: %1</source>
        <translation>Scritto: %1</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Apri</translation>
    </message>
    <message>
        <source>Show in &amp;Folder</source>
        <translation>Mostra nella &amp;cartella</translation>
    </message>
    <message>
        <source>No. %1</source>
        <translation>N. %1</translation>
    </message>
    <message>
        <source>Report written:</source>
        <translation>Rapporto scritto:</translation>
    </message>
    <message>
        <source>Charts written into:</source>
        <translation>Grafici scritti in:</translation>
    </message>
    <message>
        <source>Table written:</source>
        <translation>Tabella scritta:</translation>
    </message>
    <message>
        <source>Site Report</source>
        <translation>Rapporto cantiere</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Documento PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Tube &amp;Settings...</source>
        <translation>&amp;Impostazioni tubo...</translation>
    </message>
    <message>
        <source>&amp;Propose corrections...</source>
        <translation>&amp;Proponi correzioni...</translation>
    </message>
    <message>
        <source>Pr&amp;obe...</source>
        <translation>S&amp;onda...</translation>
    </message>
    <message>
        <source>&amp;Report...</source>
        <translation>&amp;Rapporto...</translation>
    </message>
    <message>
        <source>Tube Report</source>
        <translation>Rapporto tubo</translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation>&amp;Elimina...</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Cronologia</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>I&amp;mporta...</translation>
    </message>
    <message>
        <source>&amp;Export Files...</source>
        <translation>&amp;File di esportazione...</translation>
    </message>
    <message>
        <source>&amp;Folder...</source>
        <translation>&amp;Cartella...</translation>
    </message>
    <message>
        <source>Export &amp;Charts...</source>
        <translation>Esporta &amp;grafici...</translation>
    </message>
    <message>
        <source>Export Charts</source>
        <translation>Esporta grafici</translation>
    </message>
    <message>
        <source>Resolution of the PNG images:</source>
        <translation>Risoluzione delle immagini PNG:</translation>
    </message>
    <message>
        <source>PNG and SVG of each chart (*.png *.svg)</source>
        <translation>PNG e SVG di ogni grafico (*.png *.svg)</translation>
    </message>
    <message>
        <source>Export &amp;Table...</source>
        <translation>Esporta &amp;tabella...</translation>
    </message>
    <message>
        <source>Export Table</source>
        <translation>Esporta tabella</translation>
    </message>
    <message>
        <source>CSV table (*.csv)</source>
        <translation>Tabella CSV (*.csv)</translation>
    </message>
    <message>
        <source>&amp;Library...</source>
        <translation>&amp;Archivio...</translation>
    </message>
    <message>
        <source>S&amp;ync...</source>
        <translation>Si&amp;ncronizza...</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Quando</translation>
    </message>
    <message>
        <source>Who</source>
        <translation>Chi</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Cosa</translation>
    </message>
    <message>
        <source>Cumulative</source>
        <translation>Cumulato</translation>
    </message>
    <message>
        <source>Incremental</source>
        <translation>Incrementale</translation>
    </message>
    <message>
        <source>Also at depth (m):</source>
        <translation>Anche alla profondità (m):</translation>
    </message>
    <message>
        <source>Readings</source>
        <translation>Letture</translation>
    </message>
    <message>
        <source>Choose a readout in the tree</source>
        <translation>Scegliere una lettura nell&apos;albero</translation>
    </message>
    <message>
        <source>No base readout: &quot;Mark as Base&quot; on one of the tube&apos;s readouts compares the others with it</source>
        <translation>Nessuna lettura di riferimento: &quot;Segna come riferimento&quot; su una delle letture del tubo confronta le altre con essa</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td colspan=4&gt;&lt;b&gt;Incomplete:&lt;/b&gt; rows not read at %1 m&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td colspan=4&gt;&lt;b&gt;Incompleta:&lt;/b&gt; righe non lette a %1 m&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;table cellspacing=2&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Client:&lt;/b&gt; %1&lt;/td&gt;&lt;td&gt;&lt;b&gt;Site:&lt;/b&gt; %2&lt;/td&gt;&lt;td&gt;&lt;b&gt;Tube:&lt;/b&gt; %3&lt;/td&gt;&lt;td&gt;&lt;b&gt;Readout:&lt;/b&gt; %4&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Depth:&lt;/b&gt; %5&lt;/td&gt;&lt;td&gt;&lt;b&gt;Step:&lt;/b&gt; %6 m&lt;/td&gt;&lt;td&gt;&lt;b&gt;Guides:&lt;/b&gt; %7&lt;/td&gt;&lt;td&gt;&lt;b&gt;North:&lt;/b&gt; %8&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Date:&lt;/b&gt; %9&lt;/td&gt;&lt;td&gt;&lt;b&gt;Time:&lt;/b&gt; %10&lt;/td&gt;&lt;td colspan=2&gt;&lt;b&gt;%11&lt;/b&gt; %12&lt;/td&gt;&lt;/tr&gt;%13&lt;/table&gt;</source>
        <translation>&lt;table cellspacing=2&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Cliente:&lt;/b&gt; %1&lt;/td&gt;&lt;td&gt;&lt;b&gt;Cantiere:&lt;/b&gt; %2&lt;/td&gt;&lt;td&gt;&lt;b&gt;Tubo:&lt;/b&gt; %3&lt;/td&gt;&lt;td&gt;&lt;b&gt;Lettura n.:&lt;/b&gt; %4&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Profondità:&lt;/b&gt; %5&lt;/td&gt;&lt;td&gt;&lt;b&gt;Passo:&lt;/b&gt; %6 m&lt;/td&gt;&lt;td&gt;&lt;b&gt;Guide:&lt;/b&gt; %7&lt;/td&gt;&lt;td&gt;&lt;b&gt;Nord:&lt;/b&gt; %8&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Data:&lt;/b&gt; %9&lt;/td&gt;&lt;td&gt;&lt;b&gt;Ora:&lt;/b&gt; %10&lt;/td&gt;&lt;td colspan=2&gt;&lt;b&gt;%11&lt;/b&gt; %12&lt;/td&gt;&lt;/tr&gt;%13&lt;/table&gt;</translation>
    </message>
    <message>
        <source>Depth (m)</source>
        <translation>Profondità (m)</translation>
    </message>
    <message>
        <source>Reading %1</source>
        <translation>Lettura %1</translation>
    </message>
    <message>
        <source>A change</source>
        <translation>Variazione A</translation>
    </message>
    <message>
        <source>B change</source>
        <translation>Variazione B</translation>
    </message>
    <message>
        <source>A incremental (%1)</source>
        <translation>A incrementale (%1)</translation>
    </message>
    <message>
        <source>B incremental (%1)</source>
        <translation>B incrementale (%1)</translation>
    </message>
    <message>
        <source>A cumulative (%1)</source>
        <translation>A cumulato (%1)</translation>
    </message>
    <message>
        <source>B cumulative (%1)</source>
        <translation>B cumulato (%1)</translation>
    </message>
    <message>
        <source>Resultant (%1)</source>
        <translation>Risultante (%1)</translation>
    </message>
    <message>
        <source>Azimuth (deg)</source>
        <translation>Azimut (gradi)</translation>
    </message>
    <message>
        <source>Sum A (1 + 3)</source>
        <translation>Somma A (1 + 3)</translation>
    </message>
    <message>
        <source>Sum B (2 + 4)</source>
        <translation>Somma B (2 + 4)</translation>
    </message>
    <message>
        <source>Sum A - base</source>
        <translation>Somma A - riferimento</translation>
    </message>
    <message>
        <source>Sum B - base</source>
        <translation>Somma B - riferimento</translation>
    </message>
    <message>
        <source>Sum A - base (%1)</source>
        <translation>Somma A - riferimento (%1)</translation>
    </message>
    <message>
        <source>Sum B - base (%1)</source>
        <translation>Somma B - riferimento (%1)</translation>
    </message>
    <message>
        <source>No readout is chosen</source>
        <translation>Nessuna lettura scelta</translation>
    </message>
    <message>
        <source>client &quot;%1&quot;, site &quot;%2&quot;, tube &quot;%3&quot;</source>
        <translation>cliente &quot;%1&quot;, cantiere &quot;%2&quot;, tubo &quot;%3&quot;</translation>
    </message>
    <message>
        <source>Acknowledge</source>
        <translation>Presa d&apos;atto</translation>
    </message>
    <message>
        <source>%1

What was done about it (kept with your name):</source>
        <translation>%1

Cosa è stato fatto (conservato con il vostro nome):</translation>
    </message>
    <message>
        <source>%1: %2, readout %3, %4 at %5 m (%6)</source>
        <translation>%1: %2, lettura n. %3, %4 a %5 m (%6)</translation>
    </message>
    <message>
        <source>%1: %2, readout %3, %4 (%5)</source>
        <translation>%1: %2, lettura n. %3, %4 (%5)</translation>
    </message>
    <message>
        <source>%1: %2, readout %3 at %4 m (%5)</source>
        <translation>%1: %2, lettura n. %3 a %4 m (%5)</translation>
    </message>
    <message>
        <source>%1: %2, readout %3 (%4)</source>
        <translation>%1: %2, lettura n. %3 (%4)</translation>
    </message>
    <message>
        <source>Ac&amp;knowledge...</source>
        <translation>Prendi &amp;atto...</translation>
    </message>
    <message>
        <source>Alarm &amp;Log...</source>
        <translation>Re&amp;gistro allarmi...</translation>
    </message>
    <message>
        <source>No unacknowledged alarm</source>
        <translation>Nessun allarme senza presa d&apos;atto</translation>
    </message>
    <message numerus="yes">
        <source>; %n more unacknowledged</source>
        <translation>
            <numerusform>; ancora %n senza presa d&apos;atto</numerusform>
            <numerusform>; ancora %n senza presa d&apos;atto</numerusform>
        </translation>
    </message>
    <message>
        <source>there is no unacknowledged alarm</source>
        <translation>non c&apos;è alcun allarme senza presa d&apos;atto</translation>
    </message>
    <message>
        <source>Not acknowledged: %1</source>
        <translation>Presa d&apos;atto non registrata: %1</translation>
    </message>
    <message>
        <source>Alarm Log</source>
        <translation>Registro allarmi</translation>
    </message>
    <message>
        <source>&amp;Unacknowledged only</source>
        <translation>&amp;Solo senza presa d&apos;atto</translation>
    </message>
    <message>
        <source>When (UTC)</source>
        <translation>Quando (UTC)</translation>
    </message>
    <message>
        <source>Cause</source>
        <translation>Causa</translation>
    </message>
    <message>
        <source>Caused by</source>
        <translation>Causato da</translation>
    </message>
    <message>
        <source>Acknowledged by</source>
        <translation>Presa d&apos;atto di</translation>
    </message>
    <message>
        <source>Acknowledged at</source>
        <translation>Presa d&apos;atto il</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>1 unacknowledged event chosen.</source>
        <translation>Scelto 1 evento senza presa d&apos;atto.</translation>
    </message>
    <message numerus="yes">
        <source>%n unacknowledged events chosen.</source>
        <translation>
            <numerusform>Scelto %n evento senza presa d&apos;atto.</numerusform>
            <numerusform>Scelti %n eventi senza presa d&apos;atto.</numerusform>
        </translation>
    </message>
    <message>
        <source>Arrows at depth (m):</source>
        <translation>Frecce alla profondità (m):</translation>
    </message>
    <message>
        <source>Site &amp;Report...</source>
        <translation>Rapporto &amp;cantiere...</translation>
    </message>
    <message>
        <source>Days since</source>
        <translation>Giorni fa</translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation>In ritardo</translation>
    </message>
    <message>
        <source>Largest</source>
        <translation>Massimo</translation>
    </message>
    <message>
        <source>at (m)</source>
        <translation>a (m)</translation>
    </message>
    <message>
        <source>Azimuth (°)</source>
        <translation>Azimut (°)</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Velocità</translation>
    </message>
    <message>
        <source>Projected alarm</source>
        <translation>Allarme previsto</translation>
    </message>
    <message>
        <source>top</source>
        <translation>testa</translation>
    </message>
    <message>
        <source>No projection: fewer than three readouts hold a rate, or the displacement does not rise</source>
        <translation>Nessuna previsione: meno di tre letture hanno una velocità di spostamento, o lo spostamento non cresce</translation>
    </message>
    <message>
        <source>Delete readout %1 of tube %2 from the library, with its readings and corrections (it is the tube&apos;s base)?
This cannot be undone.</source>
        <translation>Eliminare dall&apos;archivio la lettura %1 del tubo %2, con i suoi valori e le sue correzioni (è la lettura di riferimento del tubo)?
Non si può annullare.</translation>
    </message>
    <message>
        <source>Delete readout %1 of tube %2 from the library, with its readings and corrections?
This cannot be undone.</source>
        <translation>Eliminare dall&apos;archivio la lettura %1 del tubo %2, con i suoi valori e le sue correzioni?
Non si può annullare.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Elimina</translation>
    </message>
    <message>
        <source>Clear the base of tube %1 (readout %2)?
Without a base no displacement, rate or alarm of the tube is computed.
Marking readout %2 as base again undoes this.</source>
        <translation>Togliere la lettura di riferimento del tubo %1 (lettura %2)?
Senza lettura di riferimento non si calcola alcuno spostamento, velocità di spostamento o allarme del tubo.
Segnare di nuovo la lettura %2 come riferimento annulla questa scelta.</translation>
    </message>
    <message>
        <source>Make readout %1 the base of tube %2?
The present base is readout %3.
Every displacement, rate and alarm of the tube is recomputed against the new base.
Marking readout %3 as base again undoes this.</source>
        <translation>Fare della lettura %1 la lettura di riferimento del tubo %2?
La lettura di riferimento attuale è la lettura %3.
Ogni spostamento, velocità di spostamento e allarme del tubo è ricalcolato rispetto alla nuova lettura di riferimento.
Segnare di nuovo la lettura %3 come riferimento annulla questa scelta.</translation>
    </message>
    <message>
        <source>Make readout %1 the base of tube %2?
The tube has no base yet.
Every displacement, rate and alarm of the tube is recomputed against the new base.</source>
        <translation>Fare della lettura %1 la lettura di riferimento del tubo %2?
Il tubo non ha ancora una lettura di riferimento.
Ogni spostamento, velocità di spostamento e allarme del tubo è ricalcolato rispetto alla nuova lettura di riferimento.</translation>
    </message>
    <message>
        <source>Clear Base</source>
        <translation>Togli riferimento</translation>
    </message>
    <message>
        <source>&amp;Continue from the previous base (readout %1)</source>
        <translation>&amp;Prosegui dalla lettura di riferimento precedente (lettura %1)</translation>
    </message>
    <message>
        <source>The new base&apos;s displacement against the present base is added to every later readout, so the time chart and the rates run on without a jump.</source>
        <translation>Lo spostamento della nuova lettura di riferimento rispetto a quella attuale si aggiunge a ogni lettura successiva, così il grafico nel tempo e le velocità di spostamento proseguono senza salti.</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Sincronizza</translation>
    </message>
    <message>
        <source>Survey Library</source>
        <translation>Archivio delle misure</translation>
    </message>
    <message>
        <source>Password for the survey library on
%1:</source>
        <translation>Password per l&apos;archivio delle misure su
%1:</translation>
    </message>
    <message>
        <source>Probe</source>
        <translation>Sonda</translation>
    </message>
    <message>
        <source>&lt;b&gt;Readout %1 of %2, tube %3&lt;/b&gt;</source>
        <translation>&lt;b&gt;Lettura %1 del %2, tubo %3&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&amp;Serial:</source>
        <translation>&amp;Matricola:</translation>
    </message>
    <message>
        <source>the tube&apos;s (%1)</source>
        <translation>quella del tubo (%1)</translation>
    </message>
    <message>
        <source>the tube&apos;s (not set)</source>
        <translation>quella del tubo (non impostata)</translation>
    </message>
    <message>
        <source>Probe &amp;constant K:</source>
        <translation>&amp;Costante della sonda K:</translation>
    </message>
    <message>
        <source>%1
The charts and tables hold the readouts chosen in the tree, as Export Table and Export Charts do; the summary lists all %2 readouts of the tube.</source>
        <translation>%1
I grafici e le tabelle contengono le letture scelte nell&apos;albero, come Esporta tabella ed Esporta grafici; il riepilogo elenca tutte le %2 letture del tubo.</translation>
    </message>
    <message>
        <source>No readout chosen</source>
        <translation>Nessuna lettura scelta</translation>
    </message>
    <message>
        <source>Readouts:</source>
        <translation>Letture:</translation>
    </message>
    <message>
        <source>Report &amp;title:</source>
        <translation>&amp;Titolo del rapporto:</translation>
    </message>
    <message>
        <source>of the largest movement</source>
        <translation>del movimento maggiore</translation>
    </message>
    <message>
        <source>&amp;Plan view at depth (m):</source>
        <translation>&amp;Vista in pianta alla profondità (m):</translation>
    </message>
    <message>
        <source>A depth table for &amp;every readout shown, not only the latest</source>
        <translation>Una tabella per profondità per &amp;ogni lettura mostrata, non solo per l&apos;ultima</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Rapporto</translation>
    </message>
    <message>
        <source>Project:</source>
        <translation>Progetto:</translation>
    </message>
    <message>
        <source>Project number:</source>
        <translation>Numero progetto:</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Ubicazione:</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>non impostata</translation>
    </message>
    <message>
        <source>Casing top elevation (m):</source>
        <translation>Quota testa tubo (m):</translation>
    </message>
    <message>
        <source>Probe serial:</source>
        <translation>Matricola sonda:</translation>
    </message>
    <message>
        <source>Remarks:</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>Company (every report):</source>
        <translation>Ditta (ogni rapporto):</translation>
    </message>
    <message>
        <source>Prepared by (every report):</source>
        <translation>Redatto da (ogni rapporto):</translation>
    </message>
    <message>
        <source>Checked by (every report):</source>
        <translation>Verificato da (ogni rapporto):</translation>
    </message>
    <message>
        <source>Tube Settings</source>
        <translation>Impostazioni tubo</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1 / %2 / tube %3&lt;/b&gt;</source>
        <translation>&lt;b&gt;%1 / %2 / tubo %3&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&amp;Probe and thresholds</source>
        <translation>&amp;Sonda e soglie</translation>
    </message>
    <message>
        <source>&amp;Units:</source>
        <translation>&amp;Unità:</translation>
    </message>
    <message>
        <source>as the header says</source>
        <translation>come dice l&apos;intestazione</translation>
    </message>
    <message>
        <source>&amp;North of A0 (degrees):</source>
        <translation>&amp;Nord di A0 (gradi):</translation>
    </message>
    <message>
        <source>the probe&apos;s upper wheel</source>
        <translation>la rotella superiore della sonda</translation>
    </message>
    <message>
        <source>the probe&apos;s lower wheel</source>
        <translation>la rotella inferiore della sonda</translation>
    </message>
    <message>
        <source>the probe&apos;s centre</source>
        <translation>il centro della sonda</translation>
    </message>
    <message>
        <source>A reading&apos;s &amp;depth marks:</source>
        <translation>La &amp;profondità di una lettura indica:</translation>
    </message>
    <message>
        <source>&amp;Gauge length (m):</source>
        <translation>&amp;Base di misura (m):</translation>
    </message>
    <message>
        <source>per day</source>
        <translation>al giorno</translation>
    </message>
    <message>
        <source>per month</source>
        <translation>al mese</translation>
    </message>
    <message>
        <source>per year</source>
        <translation>all&apos;anno</translation>
    </message>
    <message>
        <source>none</source>
        <translation>nessuna</translation>
    </message>
    <message>
        <source>Readings 3 and 4 hold the &amp;180-degree pass</source>
        <translation>Le letture 3 e 4 sono il passaggio a &amp;180 gradi</translation>
    </message>
    <message>
        <source>Checksum &amp;tolerance (units):</source>
        <translation>T&amp;olleranza somma di controllo (unità):</translation>
    </message>
    <message>
        <source>Fi&amp;xed end and rates</source>
        <translation>Estremo fisso e &amp;velocità</translation>
    </message>
    <message>
        <source>Rates gi&amp;ven:</source>
        <translation>Velocità es&amp;presse:</translation>
    </message>
    <message>
        <source>the toe</source>
        <translation>il fondo</translation>
    </message>
    <message>
        <source>the deepest depth shared with the base</source>
        <translation>la profondità più grande comune con la lettura di riferimento</translation>
    </message>
    <message>
        <source>the top (surveyed per readout)</source>
        <translation>la testa (rilevata a ogni lettura)</translation>
    </message>
    <message>
        <source>&amp;Fixed end:</source>
        <translation>Estremo &amp;fisso:</translation>
    </message>
    <message>
        <source>Minimum rate &amp;interval (days):</source>
        <translation>&amp;Intervallo minimo per la velocità (giorni):</translation>
    </message>
    <message>
        <source>R&amp;eport</source>
        <translation>&amp;Rapporto</translation>
    </message>
    <message>
        <source>S&amp;ite</source>
        <translation>Cantier&amp;e</translation>
    </message>
    <message>
        <source>The alert exceeds the alarm: nothing is kept.</source>
        <translation>La soglia di attenzione supera quella di allarme: non si conserva nulla.</translation>
    </message>
    <message>
        <source>Site plan and readings</source>
        <translation>Pianta del cantiere e letture</translation>
    </message>
    <message>
        <source>Placed on t&amp;he site&apos;s plan</source>
        <translation>Posto sulla &amp;pianta del cantiere</translation>
    </message>
    <message>
        <source>E&amp;asting (m):</source>
        <translation>&amp;Est (m):</translation>
    </message>
    <message>
        <source>N&amp;orthing (m):</source>
        <translation>N&amp;ord (m):</translation>
    </message>
    <message>
        <source>Read e&amp;very (days):</source>
        <translation>Leggere o&amp;gni (giorni):</translation>
    </message>
    <message>
        <source>A&amp;lert (%1):</source>
        <translation>Atten&amp;zione (%1):</translation>
    </message>
    <message>
        <source>Ala&amp;rm (%1):</source>
        <translation>Allar&amp;me (%1):</translation>
    </message>
    <message>
        <source>&amp;Alert (%1):</source>
        <translation>A&amp;ttenzione (%1):</translation>
    </message>
    <message>
        <source>Alar&amp;m (%1):</source>
        <translation>All&amp;arme (%1):</translation>
    </message>
    <message>
        <source>Precisi&amp;on per interval (%1):</source>
        <translation>Prec&amp;isione per intervallo (%1):</translation>
    </message>
    <message>
        <source>this computer</source>
        <translation>questo computer</translation>
    </message>
    <message>
        <source>This &amp;computer&apos;s file: %1</source>
        <translation>File di questo &amp;computer: %1</translation>
    </message>
    <message>
        <source>A &amp;server (PostgreSQL):</source>
        <translation>Un &amp;server (PostgreSQL):</translation>
    </message>
    <message>
        <source>your login name</source>
        <translation>il vostro nome utente</translation>
    </message>
    <message>
        <source>&amp;Host:</source>
        <translation>&amp;Host:</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>&amp;Porta:</translation>
    </message>
    <message>
        <source>&amp;Database:</source>
        <translation>&amp;Database:</translation>
    </message>
    <message>
        <source>&amp;User:</source>
        <translation>&amp;Utente:</translation>
    </message>
    <message>
        <source>&amp;TLS:</source>
        <translation>&amp;TLS:</translation>
    </message>
    <message>
        <source>or c&amp;onnection:</source>
        <translation>o c&amp;onnessione:</translation>
    </message>
    <message>
        <source>empty: %1</source>
        <translation>vuoto: %1</translation>
    </message>
    <message>
        <source>&amp;Authority&apos;s certificate...</source>
        <translation>Certificato dell&apos;&amp;autorità...</translation>
    </message>
    <message>
        <source>Authority:</source>
        <translation>Autorità:</translation>
    </message>
    <message>
        <source>The server&apos;s certificate is checked against the authority&apos;s certificate chosen here; when empty, against %1.</source>
        <translation>Il certificato del server è controllato con il certificato dell&apos;autorità scelto qui; se vuoto, con %1.</translation>
    </message>
    <message>
        <source>No password is kept: it comes from your password file (pgpass) or is asked for once while the program runs.</source>
        <translation>Nessuna password è conservata: viene dal vostro file delle password (pgpass) o è chiesta una volta mentre il programma è aperto.</translation>
    </message>
    <message>
        <source>Certificates (*.crt *.pem *.cer);;All files (*)</source>
        <translation>Certificati (*.crt *.pem *.cer);;Tutti i file (*)</translation>
    </message>
    <message>
        <source>The authority&apos;s certificate file %1 does not exist.</source>
        <translation>Il file del certificato dell&apos;autorità %1 non esiste.</translation>
    </message>
    <message>
        <source>A connection is a postgresql:// address or service=NAME (a service of your pg_service.conf).</source>
        <translation>Una connessione è un indirizzo postgresql:// o service=NOME (un servizio del vostro pg_service.conf).</translation>
    </message>
    <message>
        <source>Give the server&apos;s host and database, or one connection line.</source>
        <translation>Indicare host e database del server, o una riga di connessione.</translation>
    </message>
    <message>
        <source>The password in the connection was not kept: it is asked for when the library opens, or comes from your password file.</source>
        <translation>La password nella connessione non è stata conservata: è chiesta quando l&apos;archivio si apre, o viene dal vostro file delle password.</translation>
    </message>
    <message>
        <source>The survey library on %1 cannot be opened: %2

Nothing has changed: the window stays on %3. The box comes back with what you typed, to put right or cancel.</source>
        <translation>Impossibile aprire l&apos;archivio delle misure su %1: %2

Nulla è cambiato: la finestra resta su %3. La finestra di scelta si riapre con quanto scritto, da correggere o annullare.</translation>
    </message>
    <message>
        <source>Import Export Files</source>
        <translation>Importa file di esportazione</translation>
    </message>
    <message>
        <source>Export files (*dat.dat *num.dat);;All files (*)</source>
        <translation>File di esportazione (*dat.dat *num.dat);;Tutti i file (*)</translation>
    </message>
    <message>
        <source>Import a Folder of Export Files</source>
        <translation>Importa una cartella di file di esportazione</translation>
    </message>
    <message>
        <source>Surveys added: %1
Already in the library: %2
Not imported: %3</source>
        <translation>Misure aggiunte: %1
Già in archivio: %2
Non importate: %3</translation>
    </message>
    <message>
        <source>The survey library has moved to</source>
        <translation>L&apos;archivio delle misure è stato spostato in</translation>
    </message>
    <message>
        <source>The survey library is in %1; the older one is kept as</source>
        <translation>L&apos;archivio delle misure è in %1; quello più vecchio è conservato come</translation>
    </message>
    <message>
        <source>Written: %1, kept in the survey library</source>
        <translation>Scritto: %1, conservato nell&apos;archivio delle misure</translation>
    </message>
    <message>
        <source>Kept in the survey library, incomplete: &lt;a href=&quot;show&quot;&gt;show it in Surveys&lt;/a&gt;</source>
        <translation>Conservata nell&apos;archivio delle misure, incompleta: &lt;a href=&quot;show&quot;&gt;mostrala in Misure&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Kept in the survey library: &lt;a href=&quot;show&quot;&gt;show it in Surveys&lt;/a&gt;</source>
        <translation>Conservata nell&apos;archivio delle misure: &lt;a href=&quot;show&quot;&gt;mostrala in Misure&lt;/a&gt;</translation>
    </message>
    <message>
        <source>There is no survey library at %1.</source>
        <translation>Non c&apos;è alcun archivio delle misure in %1.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 non è scrivibile: %2</translation>
    </message>
    <message>
        <source>Surveys sent: %1
Incomplete surveys completed: %2
Already there: %3
Tube settings sent: %4, received: %5</source>
        <translation>Misure inviate: %1
Misure incomplete completate: %2
Già presenti: %3
Impostazioni dei tubi inviate: %4, ricevute: %5</translation>
    </message>
    <message>
        <source>

Changed in both libraries since they last agreed (%1):</source>
        <translation>

Cambiate in entrambi gli archivi dall&apos;ultimo allineamento (%1):</translation>
    </message>
    <message>
        <source>
Surveys deleted as the other library had: %1 here, %2 there</source>
        <translation>
Misure eliminate come nell&apos;altro archivio: %1 qui, %2 là</translation>
    </message>
    <message>
        <source>

In both libraries with other readings, both kept (%1):</source>
        <translation>

In entrambi gli archivi con valori diversi, conservate entrambe (%1):</translation>
    </message>
    <message>
        <source>

The sync stopped after %1 of %2 surveys: %3. What was sent is kept; syncing again goes on from there.</source>
        <translation>

La sincronizzazione si è fermata dopo %1 misure su %2: %3. Quanto inviato è conservato; sincronizzando di nuovo si riprende da lì.</translation>
    </message>
    <message>
        <source>Sync this computer&apos;s survey library with (a library file, or a server&apos;s connection):</source>
        <translation>Sincronizzare l&apos;archivio delle misure di questo computer con (un file di archivio, o la connessione a un server):</translation>
    </message>
    <message>
        <source>&amp;File...</source>
        <translation>&amp;File...</translation>
    </message>
    <message>
        <source>Survey library (*.sqlite);;All files (*)</source>
        <translation>Archivio delle misure (*.sqlite);;Tutti i file (*)</translation>
    </message>
    <message>
        <source>&amp;Sync</source>
        <translation>&amp;Sincronizza</translation>
    </message>
    <message>
        <source>This computer&apos;s library</source>
        <translation>L&apos;archivio di questo computer</translation>
    </message>
    <message>
        <source>The other library</source>
        <translation>L&apos;altro archivio</translation>
    </message>
    <message>
        <source>Syncing the survey libraries...</source>
        <translation>Sincronizzazione degli archivi delle misure...</translation>
    </message>
    <message>
        <source>Corrections</source>
        <translation>Correzioni</translation>
    </message>
    <message>
        <source>No checksums: the tube&apos;s second pass is off (Tube Settings).</source>
        <translation>Nessuna somma di controllo: il secondo passaggio del tubo è disattivato (Impostazioni tubo).</translation>
    </message>
    <message>
        <source>Possible bias shift: %1</source>
        <translation>Possibile deriva dello zero (bias): %1</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1 / %2 / tube %3: %4&lt;/b&gt;, against the base of %5</source>
        <translation>&lt;b&gt;%1 / %2 / tubo %3: %4&lt;/b&gt;, rispetto alla lettura di riferimento del %5</translation>
    </message>
    <message>
        <source>Stable zone:</source>
        <translation>Zona stabile:</translation>
    </message>
    <message>
        <source>&amp;Deepest quiet stretch</source>
        <translation>&amp;Tratto stabile più profondo</translation>
    </message>
    <message>
        <source>&amp;From</source>
        <translation>&amp;Da</translation>
    </message>
    <message>
        <source>&amp;Propose</source>
        <translation>&amp;Proponi</translation>
    </message>
    <message>
        <source>to</source>
        <translation>a</translation>
    </message>
    <message>
        <source>Proposed (nothing is applied until accepted):</source>
        <translation>Proposte (nulla è applicato finché non è accettato):</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Accetta</translation>
    </message>
    <message>
        <source>Correction</source>
        <translation>Correzione</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valore</translation>
    </message>
    <message>
        <source>Effect</source>
        <translation>Effetto</translation>
    </message>
    <message>
        <source>Evidence</source>
        <translation>Prove</translation>
    </message>
    <message>
        <source>How it was found</source>
        <translation>Come è stata trovata</translation>
    </message>
    <message>
        <source>Why keep a refused one:</source>
        <translation>Perché tenere una rifiutata:</translation>
    </message>
    <message>
        <source>needed only to accept a proposal the evidence does not support</source>
        <translation>necessario solo per accettare una proposta non sostenuta dalle prove</translation>
    </message>
    <message>
        <source>&amp;Accept Checked</source>
        <translation>&amp;Accetta spuntate</translation>
    </message>
    <message>
        <source>Kept with the readout (applied when on):</source>
        <translation>Conservate con la lettura (applicate se attive):</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Attiva</translation>
    </message>
    <message>
        <source>Accepted</source>
        <translation>Accettata</translation>
    </message>
    <message>
        <source>C&amp;lear All...</source>
        <translation>Ca&amp;ncella tutte...</translation>
    </message>
    <message>
        <source>Remove every correction kept with this readout? Its values are shown as read again.</source>
        <translation>Togliere ogni correzione conservata con questa lettura? I suoi valori tornano a essere mostrati come letti.</translation>
    </message>
    <message>
        <source>Clear and Propose A&amp;gain</source>
        <translation>Cancella e &amp;riproponi</translation>
    </message>
    <message>
        <source>The corrections of readout %1 were found with the second pass off; the tube now reduces with it, so the accepted bias is for the other reduction.

Clear them, to propose them again with &quot;Propose corrections...&quot;?</source>
        <translation>Le correzioni della lettura %1 sono state trovate con il secondo passaggio disattivato; ora il tubo è elaborato con esso, quindi lo zero (bias) accettato vale per l&apos;altra elaborazione.

Cancellarle, per proporle di nuovo con &quot;Proponi correzioni...&quot;?</translation>
    </message>
    <message>
        <source>The corrections of readout %1 were found with the second pass on; the tube now reduces without it, so the accepted bias is for the other reduction.

Clear them, to propose them again with &quot;Propose corrections...&quot;?</source>
        <translation>Le correzioni della lettura %1 sono state trovate con il secondo passaggio attivo; ora il tubo è elaborato senza di esso, quindi lo zero (bias) accettato vale per l&apos;altra elaborazione.

Cancellarle, per proporle di nuovo con &quot;Proponi correzioni...&quot;?</translation>
    </message>
    <message>
        <source>Not proposed: %1.</source>
        <translation>Non proposte: %1.</translation>
    </message>
    <message>
        <source>The stable zone shows no bias, rotation or depth shift, while the checksums point to a bias shift: try another stable zone (From ... to).</source>
        <translation>La zona stabile non mostra alcuno spostamento di zero (bias), rotazione o profondità, mentre le somme di controllo indicano una deriva dello zero: provare un&apos;altra zona stabile (Da ... a).</translation>
    </message>
    <message>
        <source>Nothing to correct: the stable zone shows no bias, rotation or depth shift.</source>
        <translation>Nulla da correggere: la zona stabile non mostra alcuno spostamento di zero (bias), rotazione o profondità.</translation>
    </message>
    <message>
        <source>All the acceptable ones: %1.</source>
        <translation>Tutte quelle accettabili: %1.</translation>
    </message>
    <message>
        <source>supported</source>
        <translation>sostenuta</translation>
    </message>
    <message>
        <source>refused: %1</source>
        <translation>rifiutata: %1</translation>
    </message>
    <message>
        <source>The corrections cannot be kept: %1</source>
        <translation>Impossibile conservare le correzioni: %1</translation>
    </message>
    <message>
        <source>Nothing kept: %1 %2 was refused (%3); say in the box why you keep it.</source>
        <translation>Nulla conservato: %1 %2 è stata rifiutata (%3); scrivere nella casella perché la si tiene.</translation>
    </message>
    <message>
        <source>postgresql://host:5432/tarvelon?sslmode=verify-full or service=NAME</source>
        <translation>postgresql://host:5432/tarvelon?sslmode=verify-full o service=NOME</translation>
    </message>
    <message>
        <source>Time</source>
        <comment>the tab of the charts against time</comment>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>Program version %1, build %2 of %3</source>
        <translation>Versione del programma %1, build %2 del %3</translation>
    </message>
    <message>
        <source>Attention: survey library cannot be written: </source>
        <translation>Attenzione: impossibile scrivere nell&apos;archivio delle misure: </translation>
    </message>
    <message>
        <source>header texts held control characters (such as NUL); each was replaced by a space</source>
        <translation>i testi delle intestazioni contenevano caratteri di controllo (come NUL); ognuno è stato sostituito da uno spazio</translation>
    </message>
    <message>
        <source>Only this client&apos;s events (required with --acknowledge).</source>
        <translation>Solo gli eventi di questo cliente (obbligatorio con --acknowledge).</translation>
    </message>
    <message>
        <source>Only this site&apos;s events (required with --acknowledge).</source>
        <translation>Solo gli eventi di questo cantiere (obbligatorio con --acknowledge).</translation>
    </message>
    <message>
        <source>Only this tube&apos;s events (required with --acknowledge).</source>
        <translation>Solo gli eventi di questo tubo (obbligatorio con --acknowledge).</translation>
    </message>
    <message>
        <source>Only the events nobody has acknowledged.</source>
        <translation>Solo gli eventi di cui nessuno ha preso atto.</translation>
    </message>
    <message>
        <source>Acknowledge every unacknowledged event of the readout, with the note.</source>
        <translation>Prende atto, con la nota, di ogni evento della lettura di cui non si è ancora preso atto.</translation>
    </message>
    <message>
        <source>With --acknowledge: the readout&apos;s number.</source>
        <translation>Con --acknowledge: il numero della lettura.</translation>
    </message>
    <message>
        <source>With --acknowledge: what was done about it.</source>
        <translation>Con --acknowledge: che cosa è stato fatto.</translation>
    </message>
    <message>
        <source>--since takes a day as YYYY-MM-DD (or a time as YYYY-MM-DDThh:mm:ssZ), not &quot;%1&quot;</source>
        <translation>--since vuole un giorno come YYYY-MM-DD (o un&apos;ora come YYYY-MM-DDThh:mm:ssZ), non &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--note says what was done about the alarm; it may not be empty</source>
        <translation>--note dice che cosa è stato fatto per l&apos;allarme; non può essere vuota</translation>
    </message>
    <message>
        <source>Attention: nothing was acknowledged: %1</source>
        <translation>Attenzione: non si è preso atto di nulla: %1</translation>
    </message>
    <message>
        <source>readout %1 of %2</source>
        <translation>lettura %1 di %2</translation>
    </message>
    <message>
        <source>Attention: the alarm log holds no unacknowledged event of %1</source>
        <translation>Attenzione: il registro degli allarmi non contiene eventi di %1 di cui non si sia preso atto</translation>
    </message>
    <message numerus="yes">
        <source>acknowledged: %n event(s) of %1</source>
        <translation>
            <numerusform>presa d&apos;atto: %n evento di %1</numerusform>
            <numerusform>presa d&apos;atto: %n eventi di %1</numerusform>
        </translation>
    </message>
    <message>
        <source>--%1 goes with --acknowledge</source>
        <translation>--%1 va con --acknowledge</translation>
    </message>
    <message>
        <source>Criterion</source>
        <translation>Criterio</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Soglia</translation>
    </message>
    <message>
        <source>Attention: the alarm log holds no event nobody has acknowledged</source>
        <translation>Attenzione: il registro degli allarmi non contiene eventi di cui nessuno abbia preso atto</translation>
    </message>
    <message>
        <source>Attention: the alarm log holds no event</source>
        <translation>Attenzione: il registro degli allarmi non contiene eventi</translation>
    </message>
    <message>
        <source>The alarm log: each readout that reached or left a threshold; exit status 3 while it lists an unacknowledged ALARM.</source>
        <translation>Il registro degli allarmi: ogni lettura che ha raggiunto o lasciato una soglia; stato di uscita 3 finché elenca un ALARM di cui non si è preso atto.</translation>
    </message>
    <message>
        <source>The readout&apos;s number (required).</source>
        <translation>Il numero della lettura (obbligatorio).</translation>
    </message>
    <message>
        <source>Print the corrections the program proposes, storing nothing.</source>
        <translation>Stampa le correzioni che il programma propone, senza salvare nulla.</translation>
    </message>
    <message>
        <source>Store the proposed corrections the evidence supports in place of the readout&apos;s.</source>
        <translation>Salva, al posto di quelle della lettura, le correzioni proposte che i dati sostengono.</translation>
    </message>
    <message>
        <source>With --accept: store the refused proposals too, recording this reason with them.</source>
        <translation>Con --accept: salva anche le proposte rifiutate, registrando con esse questo motivo.</translation>
    </message>
    <message>
        <source>The stable zone for the proposal, shallowest to deepest depth in metres.</source>
        <translation>La zona stabile per la proposta, dalla profondità minore alla maggiore, in metri.</translation>
    </message>
    <message>
        <source>Store a bias shift of A, in reading units.</source>
        <translation>Salva una deriva dello zero (bias) di A, in unità di lettura.</translation>
    </message>
    <message>
        <source>Store a bias shift of B, in reading units.</source>
        <translation>Salva una deriva dello zero (bias) di B, in unità di lettura.</translation>
    </message>
    <message>
        <source>Store a rotation of the probe&apos;s axes, in degrees: A&apos; = A - sin(DEG) B and B&apos; = B + sin(DEG) A on the readings (positive: A read a share of B).</source>
        <translation>Salva una rotazione degli assi della sonda, in gradi: A&apos; = A - sin(DEG) B e B&apos; = B + sin(DEG) A sulle letture (positiva: A ha letto una parte di B).</translation>
    </message>
    <message>
        <source>Store a shift of the readout&apos;s depths in metres, of any size within two steps (negative: read too deep).</source>
        <translation>Salva uno spostamento delle profondità della lettura in metri, di qualsiasi entità entro due passi (negativo: letta troppo in profondità).</translation>
    </message>
    <message>
        <source>For a tube fixed at its top: the top&apos;s displacement surveyed with the readout, A and B in the tube&apos;s units.</source>
        <translation>Per un tubo con estremo fisso in testa: lo spostamento della testa rilevato con la lettura, A e B nelle unità del tubo.</translation>
    </message>
    <message>
        <source>Store the serial of the probe that read the readout.</source>
        <translation>Salva la matricola della sonda che ha eseguito la lettura.</translation>
    </message>
    <message>
        <source>Store the constant K of the probe that read the readout, reading units for sin = 1 (&quot;tube&quot;: the tube&apos;s).</source>
        <translation>Salva la costante K della sonda che ha eseguito la lettura, unità di lettura per sin = 1 (&quot;tube&quot;: quella del tubo).</translation>
    </message>
    <message>
        <source>Switch the readout&apos;s stored corrections on or off.</source>
        <translation>Attiva o disattiva le correzioni salvate della lettura.</translation>
    </message>
    <message>
        <source>Remove the readout&apos;s corrections.</source>
        <translation>Toglie le correzioni della lettura.</translation>
    </message>
    <message>
        <source>--%1 takes a number, not &quot;%2&quot;</source>
        <translation>--%1 vuole un numero, non &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--zone takes FROM:TO in metres, shallowest first, not &quot;%1&quot;</source>
        <translation>--zone vuole FROM:TO in metri, prima la profondità minore, non &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--constant takes a positive number of reading units or &quot;tube&quot;, not &quot;%1&quot;</source>
        <translation>--constant vuole un numero positivo di unità di lettura o &quot;tube&quot;, non &quot;%1&quot;</translation>
    </message>
    <message>
        <source>readout %1: probe %2</source>
        <translation>lettura %1: sonda %2</translation>
    </message>
    <message>
        <source>readout %1: %2</source>
        <translation>lettura %1: %2</translation>
    </message>
    <message>
        <source>--insist goes with --accept and says why, in words</source>
        <translation>--insist va con --accept e dice il perché, a parole</translation>
    </message>
    <message>
        <source>give one of --propose, --accept, the values to store, --switch, --clear or the probe (--probe-serial, --constant)</source>
        <translation>indicare uno solo fra --propose, --accept, i valori da salvare, --switch, --clear o la sonda (--probe-serial, --constant)</translation>
    </message>
    <message>
        <source>--switch takes on or off, not &quot;%1&quot;</source>
        <translation>--switch vuole on o off, non &quot;%1&quot;</translation>
    </message>
    <message>
        <source>it is the tube&apos;s base</source>
        <translation>è la lettura di riferimento del tubo</translation>
    </message>
    <message>
        <source>Attention: readout %1 of %2 is not compared, so it takes no correction: %3</source>
        <translation>Attenzione: la lettura %1 di %2 non è confrontata, quindi non accetta correzioni: %3</translation>
    </message>
    <message>
        <source>Note: %1</source>
        <translation>Nota: %1</translation>
    </message>
    <message>
        <source>proposed: nothing</source>
        <translation>proposte: nessuna</translation>
    </message>
    <message>
        <source>proposed: %1 %2, %3</source>
        <translation>proposta: %1 %2, %3</translation>
    </message>
    <message>
        <source>acceptable</source>
        <translation>accettabile</translation>
    </message>
    <message>
        <source>  effect: %1</source>
        <translation>  effetto: %1</translation>
    </message>
    <message>
        <source>evidence: %1</source>
        <translation>dati: %1</translation>
    </message>
    <message>
        <source>effect of the acceptable ones: %1</source>
        <translation>effetto di quelle accettabili: %1</translation>
    </message>
    <message>
        <source>stored: nothing</source>
        <translation>salvate: nessuna</translation>
    </message>
    <message>
        <source>stored: %1</source>
        <translation>salvate: %1</translation>
    </message>
    <message>
        <source>Note: %1 %2 not stored, refused: %3 (--insist WHY keeps it)</source>
        <translation>Nota: %1 %2 non salvata, rifiutata: %3 (--insist WHY la salva)</translation>
    </message>
    <message>
        <source>--rotation takes degrees between -%1 and %1: a probe turned further is faulty, to be repaired rather than corrected</source>
        <translation>--rotation vuole gradi fra -%1 e %1: una sonda ruotata oltre è guasta, da riparare piuttosto che correggere</translation>
    </message>
    <message>
        <source>--depth-shift takes metres within %1 m either way (two of the readout&apos;s steps), not %2</source>
        <translation>--depth-shift vuole metri entro %1 m in un senso o nell&apos;altro (due passi della lettura), non %2</translation>
    </message>
    <message>
        <source>--top-displacement takes A,B in the tube&apos;s units, not &quot;%1&quot;</source>
        <translation>--top-displacement vuole A,B nelle unità del tubo, non &quot;%1&quot;</translation>
    </message>
    <message>
        <source>A readout&apos;s corrections of the probe&apos;s bias, rotation and depth.</source>
        <translation>Le correzioni di una lettura per deriva dello zero (bias), rotazione e profondità della sonda.</translation>
    </message>
    <message>
        <source>The readout&apos;s date, when several of the tube share its number.</source>
        <translation>La data della lettura, quando più letture del tubo hanno lo stesso numero.</translation>
    </message>
    <message>
        <source>Attention: the survey cannot be deleted: %1</source>
        <translation>Attenzione: impossibile eliminare la misura: %1</translation>
    </message>
    <message>
        <source>Attention: %1 has no readout %2</source>
        <translation>Attenzione: %1 non ha la lettura %2</translation>
    </message>
    <message>
        <source>Attention: %1 has no readout %2 of %3</source>
        <translation>Attenzione: %1 non ha la lettura %2 del %3</translation>
    </message>
    <message>
        <source>%1 has several readout %2 (%3): name one with --date</source>
        <translation>%1 ha più letture %2 (%3): indicarne una con --date</translation>
    </message>
    <message>
        <source>deleted: readout %1 of %2 %3</source>
        <translation>eliminata: lettura %1 del %2 %3</translation>
    </message>
    <message>
        <source>Deletes one survey of the library, its readings and corrections with it.</source>
        <translation>Elimina una misura dall&apos;archivio, con le sue letture e correzioni.</translation>
    </message>
    <message>
        <source>The tube&apos;s %1 (required).</source>
        <translation>Il %1 del tubo (obbligatorio).</translation>
    </message>
    <message>
        <source>Compare with this readout number, and keep it as the tube&apos;s base.</source>
        <translation>Confronta con questa lettura n. e la tiene come lettura di riferimento del tubo.</translation>
    </message>
    <message>
        <source>The probe constant K (reading units for sin = 1), kept as the tube&apos;s.</source>
        <translation>La costante della sonda K (unità di lettura per sin = 1), tenuta come quella del tubo.</translation>
    </message>
    <message>
        <source>Write the displacements as CSV to FILE (&quot;-&quot;: standard output). Without --csv and --pdf they go to standard output.</source>
        <translation>Scrive gli spostamenti come CSV in FILE (&quot;-&quot;: standard output). Senza --csv e --pdf vanno sullo standard output.</translation>
    </message>
    <message>
        <source>Write the tube report (A4 PDF) to FILE.</source>
        <translation>Scrive il rapporto del tubo (PDF A4) in FILE.</translation>
    </message>
    <message>
        <source>The readouts the report&apos;s charts show, by number: 01,04-07 (all by default).</source>
        <translation>Le letture che mostrano i grafici del rapporto, per numero: 01,04-07 (tutte se non indicato).</translation>
    </message>
    <message>
        <source>The report&apos;s depth tables: of the latest readout shown, or of all of them.</source>
        <translation>Le tabelle per profondità del rapporto: dell&apos;ultima lettura mostrata o di tutte.</translation>
    </message>
    <message>
        <source>The report&apos;s plan view (and chart against time) at this depth in metres, as the tables print it, beside the top (the largest movement&apos;s by default).</source>
        <translation>La vista in pianta del rapporto (e il grafico nel tempo) a questa profondità in metri, come la stampano le tabelle, accanto alla testa (quella del movimento maggiore se non indicata).</translation>
    </message>
    <message>
        <source>The report&apos;s title (&quot;Inclinometer report&quot; by default).</source>
        <translation>Il titolo del rapporto (&quot;Inclinometer report&quot; se non indicato).</translation>
    </message>
    <message>
        <source>The company named in the report.</source>
        <translation>La società nominata nel rapporto.</translation>
    </message>
    <message>
        <source>Who prepared the report.</source>
        <translation>Chi ha redatto il rapporto.</translation>
    </message>
    <message>
        <source>Who checked the report.</source>
        <translation>Chi ha controllato il rapporto.</translation>
    </message>
    <message>
        <source>One CSV line per readout (largest, rate, status) in place of the displacements.</source>
        <translation>Una riga CSV per lettura (massimo, velocità di spostamento, stato) al posto degli spostamenti.</translation>
    </message>
    <message>
        <source>--constant takes a positive number of reading units, not &quot;%1&quot;</source>
        <translation>--constant vuole un numero positivo di unità di lettura, non &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--csv needs a file name, or &quot;-&quot; for standard output</source>
        <translation>--csv vuole il nome di un file, o &quot;-&quot; per lo standard output</translation>
    </message>
    <message>
        <source>--pdf needs a file name</source>
        <translation>--pdf vuole il nome di un file</translation>
    </message>
    <message>
        <source>--readouts: %1</source>
        <translation>--readouts: %1</translation>
    </message>
    <message>
        <source>--tables takes latest or all, not &quot;%1&quot;</source>
        <translation>--tables vuole latest o all, non &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--plan-depth takes a depth in metres, not &quot;%1&quot;</source>
        <translation>--plan-depth vuole una profondità in metri, non &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Attention: the survey library holds no readout of %1</source>
        <translation>Attenzione: l&apos;archivio delle misure non contiene letture di %1</translation>
    </message>
    <message>
        <source>Attention: %1 has no readout number %2</source>
        <translation>Attenzione: %1 non ha la lettura n. %2</translation>
    </message>
    <message>
        <source>Attention: nothing compared for %1: %2 (choose one with --base)</source>
        <translation>Attenzione: nulla di confrontato per %1: %2 (sceglierne una con --base)</translation>
    </message>
    <message>
        <source>corrected: %1</source>
        <translation>corretta: %1</translation>
    </message>
    <message>
        <source>possible bias shift</source>
        <translation>possibile deriva dello zero (bias)</translation>
    </message>
    <message>
        <source>Readout %1: %2</source>
        <translation>Lettura %1: %2</translation>
    </message>
    <message>
        <source>Left out: %1: %2</source>
        <translation>Esclusa: %1: %2</translation>
    </message>
    <message>
        <source>Attention: --plan-depth: %1</source>
        <translation>Attenzione: --plan-depth: %1</translation>
    </message>
    <message>
        <source>Attention: cannot write the tube report %1: %2</source>
        <translation>Attenzione: impossibile scrivere il rapporto del tubo %1: %2</translation>
    </message>
    <message>
        <source>A tube&apos;s displacements in mm against its base, as CSV and as the tube report.</source>
        <translation>Gli spostamenti di un tubo in mm rispetto alla lettura di riferimento, come CSV e come rapporto del tubo.</translation>
    </message>
    <message>
        <source>Attention: the survey library holds no change of %1</source>
        <translation>Attenzione: l&apos;archivio delle misure non contiene modifiche di %1</translation>
    </message>
    <message>
        <source>Who changed what of a tube, and when.</source>
        <translation>Chi ha modificato che cosa di un tubo, e quando.</translation>
    </message>
    <message>
        <source>A header or readings export file, or a folder searched with its subfolders.</source>
        <translation>Un file di esportazione d&apos;intestazione o di letture, o una cartella in cui cercare con le sue sottocartelle.</translation>
    </message>
    <message>
        <source>name the export files or folders to import</source>
        <translation>indicare i file di esportazione o le cartelle da importare</translation>
    </message>
    <message>
        <source>%1 added, %2 already in the library, %3 failed</source>
        <translation>%1 aggiunte, %2 già nell&apos;archivio, %3 non riuscite</translation>
    </message>
    <message>
        <source>Export files (or folders of them) into the survey library.</source>
        <translation>File di esportazione (o cartelle di file) nell&apos;archivio delle misure.</translation>
    </message>
    <message>
        <source>waiting for the survey library: another program is using it</source>
        <translation>in attesa dell&apos;archivio delle misure: un altro programma lo sta usando</translation>
    </message>
    <message>
        <source>Note: a password given on the command line can be seen by others on this computer while the program runs; keep it in your password file (%1) or leave it out of the connection to be asked for it</source>
        <translation>Nota: una password data sulla riga di comando può essere vista da altri su questo computer mentre il programma è in esecuzione; tenerla nel proprio file delle password (%1) o toglierla dalla connessione perché venga chiesta</translation>
    </message>
    <message>
        <source>Attention: no survey library at %1</source>
        <translation>Attenzione: nessun archivio delle misure in %1</translation>
    </message>
    <message>
        <source>Attention: the survey library cannot be read: %1</source>
        <translation>Attenzione: impossibile leggere l&apos;archivio delle misure: %1</translation>
    </message>
    <message>
        <source>Password for %1: </source>
        <translation>Password per %1: </translation>
    </message>
    <message>
        <source>your role on the server may only read the library; ask its administrator for tarvelon_editor</source>
        <translation>il proprio ruolo sul server può solo leggere l&apos;archivio; chiedere tarvelon_editor al suo amministratore</translation>
    </message>
    <message>
        <source>your role on the server may not delete from the library; ask its administrator for tarvelon_manager</source>
        <translation>il proprio ruolo sul server non può eliminare dall&apos;archivio; chiedere tarvelon_manager al suo amministratore</translation>
    </message>
    <message>
        <source>The server&apos;s database: postgresql://USER@HOST/DATABASE or service=NAME.</source>
        <translation>Il database del server: postgresql://USER@HOST/DATABASE o service=NAME.</translation>
    </message>
    <message>
        <source>init is needed</source>
        <translation>serve init</translation>
    </message>
    <message>
        <source>unknown library job &quot;%1&quot;</source>
        <translation>operazione sull&apos;archivio sconosciuta &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--library must name a server (postgresql://... or service=NAME); a file library needs no init</source>
        <translation>--library deve indicare un server (postgresql://... o service=NAME); un archivio su file non ha bisogno di init</translation>
    </message>
    <message>
        <source>Attention: the roles cannot be made: %1</source>
        <translation>Attenzione: impossibile creare i ruoli: %1</translation>
    </message>
    <message>
        <source>the survey library on %1 is ready; grant tarvelon_reader, tarvelon_editor or tarvelon_manager to its users</source>
        <translation>l&apos;archivio delle misure su %1 è pronto; assegnare tarvelon_reader, tarvelon_editor o tarvelon_manager ai suoi utenti</translation>
    </message>
    <message>
        <source>Makes the survey library and its roles on a database server (by its owner).</source>
        <translation>Crea l&apos;archivio delle misure e i suoi ruoli su un server di database (dal suo proprietario).</translation>
    </message>
    <message>
        <source>The site&apos;s client (required).</source>
        <translation>Il cliente del cantiere (obbligatorio).</translation>
    </message>
    <message>
        <source>The site (all the client&apos;s sites without it).</source>
        <translation>Il cantiere (senza: tutti i cantieri del cliente).</translation>
    </message>
    <message>
        <source>Write the site table as CSV to FILE (&quot;-&quot;: standard output). Without --csv and --pdf it goes to standard output in columns.</source>
        <translation>Scrive la tabella del cantiere come CSV in FILE (&quot;-&quot;: standard output). Senza --csv e --pdf va sullo standard output in colonne.</translation>
    </message>
    <message>
        <source>Write the site report (A4 PDF) to FILE.</source>
        <translation>Scrive il rapporto del cantiere (PDF A4) in FILE.</translation>
    </message>
    <message>
        <source>Count days since and overdue readouts to the start of this day (now by default).</source>
        <translation>Conta i giorni trascorsi e le letture scadute fino all&apos;inizio di questo giorno (adesso se non indicato).</translation>
    </message>
    <message>
        <source>--today takes a date as YYYY-MM-DD, not &quot;%1&quot;</source>
        <translation>--today vuole una data come YYYY-MM-DD, non &quot;%1&quot;</translation>
    </message>
    <message>
        <source>client &quot;%1&quot;%2</source>
        <translation>cliente &quot;%1&quot;%2</translation>
    </message>
    <message>
        <source>, site &quot;%1&quot;</source>
        <translation>, cantiere &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Attention: the survey library holds no tube of %1</source>
        <translation>Attenzione: l&apos;archivio delle misure non contiene tubi di %1</translation>
    </message>
    <message>
        <source>Attention: cannot write the site report %1: %2</source>
        <translation>Attenzione: impossibile scrivere il rapporto del cantiere %1: %2</translation>
    </message>
    <message>
        <source>A site&apos;s tubes at a glance: latest readout, state, rate and projected alarm date.</source>
        <translation>I tubi di un cantiere a colpo d&apos;occhio: ultima lettura, stato, velocità di spostamento e data prevista di allarme.</translation>
    </message>
    <message>
        <source>Only the surveys of this %1.</source>
        <translation>Solo le misure di questo %1.</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>Id</translation>
    </message>
    <message>
        <source>Downloaded (UTC)</source>
        <translation>Scaricata (UTC)</translation>
    </message>
    <message>
        <source>The surveys of the library, one a line, incomplete ones marked.</source>
        <translation>Le misure dell&apos;archivio, una per riga, con quelle incomplete segnate.</translation>
    </message>
    <message>
        <source>The library whose surveys are sent (required).</source>
        <translation>L&apos;archivio di cui si inviano le misure (obbligatorio).</translation>
    </message>
    <message>
        <source>The library they are sent to (required).</source>
        <translation>L&apos;archivio a cui si inviano (obbligatorio).</translation>
    </message>
    <message>
        <source>sync: %1 of %2 surveys</source>
        <translation>sincronizzazione: %1 di %2 misure</translation>
    </message>
    <message>
        <source>Conflict: %1 is in both libraries with other readings; both kept</source>
        <translation>Conflitto: %1 è in entrambi gli archivi con letture diverse; tenute entrambe</translation>
    </message>
    <message>
        <source>Conflict: %1</source>
        <translation>Conflitto: %1</translation>
    </message>
    <message>
        <source>Note: the source could only be read; nothing came back to it</source>
        <translation>Nota: l&apos;origine si poteva solo leggere; non vi è tornato nulla</translation>
    </message>
    <message>
        <source>%1 sent, %2 completed, %3 already there, %4 conflicts; tube settings: %5 sent, %6 received, %7 conflicts; deleted: %8 there, %9 here</source>
        <translation>%1 inviate, %2 completate, %3 già presenti, %4 conflitti; impostazioni dei tubi: %5 inviate, %6 ricevute, %7 conflitti; eliminate: %8 là, %9 qui</translation>
    </message>
    <message>
        <source>Attention: the sync stopped after %1 of %2 surveys (%3); what was sent is kept, and running it again goes on from there</source>
        <translation>Attenzione: la sincronizzazione si è fermata dopo %1 di %2 misure (%3); quanto inviato resta, e ripeterla riprende da lì</translation>
    </message>
    <message>
        <source>Sends the surveys one library lacks; settings, corrections and deletions are merged both ways.</source>
        <translation>Invia le misure che mancano a un archivio; impostazioni, correzioni ed eliminazioni sono unite nei due sensi.</translation>
    </message>
    <message>
        <source>--%1 takes %2, not &quot;%3&quot;</source>
        <translation>--%1 vuole %2, non &quot;%3&quot;</translation>
    </message>
    <message>
        <source>a positive number in the tube&apos;s units, or &quot;none&quot;</source>
        <translation>un numero positivo nelle unità del tubo, o &quot;none&quot;</translation>
    </message>
    <message>
        <source>a positive rate in the tube&apos;s units per its rate unit, or &quot;none&quot;</source>
        <translation>una velocità positiva nelle unità del tubo per la sua unità di tempo, o &quot;none&quot;</translation>
    </message>
    <message>
        <source>a coordinate in metres, or &quot;none&quot;</source>
        <translation>una coordinata in metri, o &quot;none&quot;</translation>
    </message>
    <message>
        <source>The probe constant K: reading units for sin = 1.</source>
        <translation>La costante della sonda K: unità di lettura per sin = 1.</translation>
    </message>
    <message>
        <source>a positive number of reading units</source>
        <translation>un numero positivo di unità di lettura</translation>
    </message>
    <message>
        <source>The base readout&apos;s number (&quot;none&quot;: no base).</source>
        <translation>Il numero della lettura di riferimento (&quot;none&quot;: nessuna).</translation>
    </message>
    <message>
        <source>Millimetres or inches for every length, threshold and rate.</source>
        <translation>Millimetri o pollici per ogni lunghezza, soglia e velocità.</translation>
    </message>
    <message>
        <source>mm or in</source>
        <translation>mm o in</translation>
    </message>
    <message>
        <source>The time rates are given per, and the rate thresholds read in.</source>
        <translation>L&apos;unità di tempo delle velocità e delle soglie di velocità.</translation>
    </message>
    <message>
        <source>day, month or year</source>
        <translation>day, month o year</translation>
    </message>
    <message>
        <source>Degrees clockwise from north of the A0 groove (&quot;none&quot;: the base header&apos;s).</source>
        <translation>Gradi in senso orario dal nord della guida A0 (&quot;none&quot;: quelli dell&apos;intestazione di riferimento).</translation>
    </message>
    <message>
        <source>degrees from 0 to 360, or &quot;none&quot;</source>
        <translation>gradi da 0 a 360, o &quot;none&quot;</translation>
    </message>
    <message>
        <source>The probe&apos;s gauge length (wheel base) in metres.</source>
        <translation>Il passo delle ruote della sonda in metri.</translation>
    </message>
    <message>
        <source>a positive length in metres</source>
        <translation>una lunghezza positiva in metri</translation>
    </message>
    <message>
        <source>What a reading&apos;s depth marks on the probe.</source>
        <translation>Il punto della sonda a cui si riferisce la profondità di una lettura.</translation>
    </message>
    <message>
        <source>upper, lower or centre</source>
        <translation>upper, lower o centre</translation>
    </message>
    <message>
        <source>The resultant that raises an alert, in the tube&apos;s units (&quot;none&quot;: no alert).</source>
        <translation>La risultante che fa scattare l&apos;attenzione, nelle unità del tubo (&quot;none&quot;: nessuna).</translation>
    </message>
    <message>
        <source>The resultant that raises an alarm, in the tube&apos;s units.</source>
        <translation>La risultante che fa scattare l&apos;allarme, nelle unità del tubo.</translation>
    </message>
    <message>
        <source>The rate that raises an alert, in the tube&apos;s units per its rate unit.</source>
        <translation>La velocità di spostamento che fa scattare l&apos;attenzione, nelle unità del tubo per la sua unità di tempo.</translation>
    </message>
    <message>
        <source>The rate that raises an alarm, in the tube&apos;s units per its rate unit.</source>
        <translation>La velocità di spostamento che fa scattare l&apos;allarme, nelle unità del tubo per la sua unità di tempo.</translation>
    </message>
    <message>
        <source>The end taken as not moving: the toe (the deepest common depth when a readout lacks the bottom rows), the deepest depth each readout shares with the base, or the top (its displacement entered per readout).</source>
        <translation>L&apos;estremo considerato fermo: il fondo (la profondità comune più bassa quando a una lettura mancano le righe in fondo), la profondità più bassa che ogni lettura ha in comune con quella di riferimento, o la testa (con il suo spostamento inserito per lettura).</translation>
    </message>
    <message>
        <source>toe, common or top</source>
        <translation>toe, common o top</translation>
    </message>
    <message>
        <source>A readout closer than this to the one before is rated against the latest at least this long before.</source>
        <translation>Una lettura più vicina di così a quella precedente ha la velocità calcolata rispetto all&apos;ultima lettura almeno così distante.</translation>
    </message>
    <message>
        <source>days from 0 to 3650</source>
        <translation>giorni da 0 a 3650</translation>
    </message>
    <message>
        <source>The random error of one reading interval in the tube&apos;s units; the band a change must leave to raise a rate.</source>
        <translation>L&apos;errore casuale di un intervallo di lettura nelle unità del tubo; la fascia che una variazione deve superare per dare una velocità.</translation>
    </message>
    <message>
        <source>a length from 0 in the tube&apos;s units</source>
        <translation>una lunghezza da 0 nelle unità del tubo</translation>
    </message>
    <message>
        <source>Readings 3 and 4 hold the 180-degree pass.</source>
        <translation>Le letture 3 e 4 contengono il secondo passaggio (a 180 gradi).</translation>
    </message>
    <message>
        <source>on or off</source>
        <translation>on o off</translation>
    </message>
    <message>
        <source>How far (reading units) a checksum mean may move from the base&apos;s before &quot;possible bias shift&quot;.</source>
        <translation>Di quanto (unità di lettura) la media della somma di controllo può scostarsi da quella di riferimento prima di &quot;possibile deriva dello zero (bias)&quot;.</translation>
    </message>
    <message>
        <source>a positive number of reading units, or &quot;none&quot;</source>
        <translation>un numero positivo di unità di lettura, o &quot;none&quot;</translation>
    </message>
    <message>
        <source>Where the tube stands on the site&apos;s plan, metres east in the site&apos;s grid (&quot;none&quot; clears it).</source>
        <translation>Dove si trova il tubo nella pianta del cantiere, metri est nella griglia del cantiere (&quot;none&quot; la cancella).</translation>
    </message>
    <message>
        <source>Where the tube stands on the site&apos;s plan, metres north in the site&apos;s grid (&quot;none&quot; clears it).</source>
        <translation>Dove si trova il tubo nella pianta del cantiere, metri nord nella griglia del cantiere (&quot;none&quot; la cancella).</translation>
    </message>
    <message>
        <source>How often the tube should be read; a later readout is overdue (&quot;none&quot;: no interval).</source>
        <translation>Ogni quanto va letto il tubo; una lettura più tardi è scaduta (&quot;none&quot;: nessun intervallo).</translation>
    </message>
    <message>
        <source>days from 0 to 3650, or &quot;none&quot;</source>
        <translation>giorni da 0 a 3650, o &quot;none&quot;</translation>
    </message>
    <message>
        <source>The project&apos;s name, for the report.</source>
        <translation>Il nome del progetto, per il rapporto.</translation>
    </message>
    <message>
        <source>The project&apos;s number, for the report.</source>
        <translation>Il numero del progetto, per il rapporto.</translation>
    </message>
    <message>
        <source>Where the tube is, for the report.</source>
        <translation>Dove si trova il tubo, per il rapporto.</translation>
    </message>
    <message>
        <source>The casing top&apos;s elevation in metres, for the report (&quot;none&quot; clears it).</source>
        <translation>La quota della testa del tubo in metri, per il rapporto (&quot;none&quot; la cancella).</translation>
    </message>
    <message>
        <source>an elevation in metres, or &quot;none&quot;</source>
        <translation>una quota in metri, o &quot;none&quot;</translation>
    </message>
    <message>
        <source>With --base: the new base carries on from the one before, its cumulative against it added to every later readout, so displacements and rates run on.</source>
        <translation>Con --base: la nuova lettura di riferimento prosegue dalla precedente, il suo spostamento cumulato rispetto a essa si aggiunge a ogni lettura successiva, così spostamenti e velocità continuano.</translation>
    </message>
    <message>
        <source>--continue goes with --base, the new base that carries on</source>
        <translation>--continue va con --base, la nuova lettura di riferimento che prosegue</translation>
    </message>
    <message>
        <source>--continue needs a base before and a new one: the tube had no base to carry on from</source>
        <translation>--continue vuole una lettura di riferimento precedente e una nuova: il tubo non aveva una lettura di riferimento da cui proseguire</translation>
    </message>
    <message>
        <source>the alert (--alert) exceeds the alarm (--alarm)</source>
        <translation>la soglia di attenzione (--alert) supera quella di allarme (--alarm)</translation>
    </message>
    <message>
        <source>the alert rate (--alert-rate) exceeds the alarm rate (--alarm-rate)</source>
        <translation>la velocità di attenzione (--alert-rate) supera quella di allarme (--alarm-rate)</translation>
    </message>
    <message>
        <source>Attention: %1; nothing changed</source>
        <translation>Attenzione: %1; nulla è cambiato</translation>
    </message>
    <message>
        <source>Note: the base %1</source>
        <translation>Nota: la lettura di riferimento %1</translation>
    </message>
    <message>
        <source>Note: readout %1: %2 (tarvelon correct --clear, then --propose)</source>
        <translation>Nota: lettura %1: %2 (tarvelon correct --clear, poi --propose)</translation>
    </message>
    <message>
        <source>A tube&apos;s settings: sets those given, then shows them all.</source>
        <translation>Le impostazioni di un tubo: imposta quelle date, poi le mostra tutte.</translation>
    </message>
    <message>
        <source>Only the events recorded on or after this day (UTC), or this time.</source>
        <translation>Solo gli eventi registrati in questo giorno (UTC) o dopo, oppure da quest&apos;ora.</translation>
    </message>
    <message numerus="yes">
        <source>&lt;b&gt;%1&lt;/b&gt;: %n tube(s), %2 in ALARM, %3 in ALERT</source>
        <translation>
            <numerusform>&lt;b&gt;%1&lt;/b&gt;: %n tubo, %2 in ALLARME, %3 in ATTENZIONE</numerusform>
            <numerusform>&lt;b&gt;%1&lt;/b&gt;: %n tubi, %2 in ALLARME, %3 in ATTENZIONE</numerusform>
        </translation>
    </message>
    <message>
        <source>none</source>
        <comment>no threshold reached</comment>
        <translation>nessuno</translation>
    </message>
    <message>
        <source>%1 over %2 readouts at %3 m (%4 to %5)</source>
        <translation>%1 su %2 letture a %3 m (dal %4 al %5)</translation>
    </message>
    <message>
        <source>; already at or past the alarm of %1</source>
        <translation>; già alla soglia di allarme di %1 o oltre</translation>
    </message>
    <message>
        <source>; reaches %1 on %2</source>
        <translation>; raggiunge %1 il %2</translation>
    </message>
    <message>
        <source>; no alarm threshold set</source>
        <translation>; nessuna soglia di allarme impostata</translation>
    </message>
    <message>
        <source>overdue</source>
        <translation>in ritardo</translation>
    </message>
    <message>
        <source>reached</source>
        <translation>raggiunto</translation>
    </message>
    <message>
        <source>ALARM</source>
        <translation>ALLARME</translation>
    </message>
    <message>
        <source>ALERT</source>
        <translation>ATTENZIONE</translation>
    </message>
    <message>
        <source>rate %1</source>
        <translation>velocità %1</translation>
    </message>
    <message>
        <source>displacement %1</source>
        <translation>spostamento %1</translation>
    </message>
    <message>
        <source>%1 %2 units</source>
        <translation>%1 %2 unità</translation>
    </message>
    <message>
        <source>the probe&apos;s gauge length (%1 m) differs from the reading step (%2 m): each reading spans %1 m, so the sums leave parts of the tube out or count them twice</source>
        <translation>il passo delle ruote della sonda (%1 m) è diverso dal passo di lettura (%2 m): ogni lettura copre %1 m, quindi le somme tralasciano parti del tubo o le contano due volte</translation>
    </message>
    <message>
        <source>checksum mean moved %1 from the base&apos;s</source>
        <translation>la media della somma di controllo si è spostata di %1 rispetto a quella di riferimento</translation>
    </message>
    <message>
        <source>, beyond the tube&apos;s tolerance of %1 units</source>
        <translation>, oltre la tolleranza del tubo di %1 unità</translation>
    </message>
    <message>
        <source>largest %1 at %2 m</source>
        <translation>massimo %1 a %2 m</translation>
    </message>
    <message>
        <source>, azimuth %1°</source>
        <translation>, azimut %1°</translation>
    </message>
    <message>
        <source>rate %1 at %2 m</source>
        <translation>velocità di spostamento %1 a %2 m</translation>
    </message>
    <message>
        <source>possible bias shift: %1</source>
        <translation>possibile deriva dello zero (bias): %1</translation>
    </message>
    <message>
        <source>switched off: %1</source>
        <translation>disattivate: %1</translation>
    </message>
    <message>
        <source>taken before the base: no rate, not on the time chart</source>
        <translation>eseguita prima della lettura di riferimento: nessuna velocità, non compare nel grafico nel tempo</translation>
    </message>
    <message>
        <source>%1 kept against the program&apos;s refusal because: %2</source>
        <translation>%1 tenuta nonostante il rifiuto del programma perché: %2</translation>
    </message>
    <message>
        <source>%1: not an export file (its name ends neither in dat.dat nor in num.dat)</source>
        <translation>%1: non è un file di esportazione (il suo nome non finisce né in dat.dat né in num.dat)</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>file o cartella inesistente</translation>
    </message>
    <message>
        <source>%1: completes the survey kept incomplete</source>
        <translation>%1: completa la misura conservata incompleta</translation>
    </message>
    <message>
        <source>%1: already in the library</source>
        <translation>%1: già nell&apos;archivio</translation>
    </message>
    <message>
        <source>%1: the library holds other readings for this client, site, tube, readout number, date and time</source>
        <translation>%1: l&apos;archivio contiene altre letture per questi cliente, cantiere, tubo, lettura n., data e ora</translation>
    </message>
    <message>
        <source>%1: the survey library cannot be written: %2</source>
        <translation>%1: impossibile scrivere nell&apos;archivio delle misure: %2</translation>
    </message>
    <message>
        <source>The survey library has moved to %1</source>
        <translation>L&apos;archivio delle misure è stato spostato in %1</translation>
    </message>
    <message>
        <source>The survey library is in %1; the older one is kept as %2</source>
        <translation>L&apos;archivio delle misure è in %1; quello più vecchio è conservato come %2</translation>
    </message>
    <message>
        <source>The survey library stays in %1 for now: it is open in another program. It moves at the next start.</source>
        <translation>L&apos;archivio delle misure resta per ora in %1: è aperto in un altro programma. Sarà spostato al prossimo avvio.</translation>
    </message>
    <message>
        <source>The survey library stays in %1 for now: it could not move to %2 (%3). It is tried again at the next start.</source>
        <translation>L&apos;archivio delle misure resta per ora in %1: non è stato possibile spostarlo in %2 (%3). Si riproverà al prossimo avvio.</translation>
    </message>
    <message>
        <source>the authority&apos;s certificate file %1 does not exist, so the server&apos;s certificate cannot be checked</source>
        <translation>il file del certificato dell&apos;autorità %1 non esiste, quindi il certificato del server non può essere controllato</translation>
    </message>
    <message>
        <source>the authority&apos;s certificate file %1 cannot be read as a certificate (%2)</source>
        <translation>il file del certificato dell&apos;autorità %1 non può essere letto come certificato (%2)</translation>
    </message>
    <message>
        <source>the authority&apos;s certificate file %1 is not the authority that signed the server&apos;s certificate, so the connection was not made</source>
        <translation>il file del certificato dell&apos;autorità %1 non è dell&apos;autorità che ha firmato il certificato del server, quindi la connessione non è stata stabilita</translation>
    </message>
    <message>
        <source>the server&apos;s certificate is for another name (%1, not %2), so the connection was not made</source>
        <translation>il certificato del server è per un altro nome (%1, non %2), quindi la connessione non è stata stabilita</translation>
    </message>
    <message>
        <source>the server refused the user name or password</source>
        <translation>il server ha rifiutato il nome utente o la password</translation>
    </message>
    <message>
        <source>the server asks for a password and none was given</source>
        <translation>il server chiede una password e non ne è stata data nessuna</translation>
    </message>
    <message>
        <source>the server does not offer an encrypted connection, so none was made (write sslmode=disable in the connection to connect in plain text)</source>
        <translation>il server non offre una connessione cifrata, quindi non è stata stabilita (scrivere sslmode=disable nella connessione per collegarsi in chiaro)</translation>
    </message>
    <message>
        <source>the server&apos;s certificate does not match the server asked for, so the connection was not made (%1)</source>
        <translation>il certificato del server non corrisponde al server richiesto, quindi la connessione non è stata stabilita (%1)</translation>
    </message>
    <message>
        <source>the server cannot be reached (%1)</source>
        <translation>il server non è raggiungibile (%1)</translation>
    </message>
    <message>
        <source>the server does not accept this user from this computer for this database (its administrator allows it in pg_hba.conf)</source>
        <translation>il server non accetta questo utente da questo computer per questo database (il suo amministratore lo consente in pg_hba.conf)</translation>
    </message>
    <message>
        <source>the server does not let this user into the library (%1)</source>
        <translation>il server non fa entrare questo utente nell&apos;archivio (%1)</translation>
    </message>
    <message>
        <source>your role on the server may not read the library; ask its administrator for tarvelon_reader</source>
        <translation>il proprio ruolo sul server non può leggere l&apos;archivio; chiedere tarvelon_reader al suo amministratore</translation>
    </message>
    <message>
        <source>a deletion cannot be kept: %1</source>
        <translation>impossibile conservare un&apos;eliminazione: %1</translation>
    </message>
    <message>
        <source>survey %1 of %2 cannot be read</source>
        <translation>impossibile leggere la misura %1 del %2</translation>
    </message>
    <message>
        <source>%1: %2 changed on both sides (%3 in the source, %4 in the target); the target&apos;s is kept until someone chooses</source>
        <translation>%1: %2 cambiato da entrambe le parti (%3 nell&apos;origine, %4 nella destinazione); si tiene quello della destinazione finché qualcuno non sceglie</translation>
    </message>
    <message>
        <source>%1: %2 changed on both sides (%3 in the source, %4 in the target); the source&apos;s is kept until someone chooses</source>
        <translation>%1: %2 cambiato da entrambe le parti (%3 nell&apos;origine, %4 nella destinazione); si tiene quello dell&apos;origine finché qualcuno non sceglie</translation>
    </message>
    <message>
        <source>what was agreed cannot be kept: %1</source>
        <translation>impossibile conservare quanto concordato: %1</translation>
    </message>
    <message>
        <source>Reports in</source>
        <translation>Rapporti in</translation>
    </message>
    <message>
        <source>The language the tube&apos;s reports are written in by default, for a client who reads another than the program&apos;s; the Tube Report box and the command line&apos;s --language choose for one report.</source>
        <translation>La lingua in cui sono scritti per difetto i rapporti del tubo, per un cliente che legge una lingua diversa da quella del programma; la finestra Rapporto tubo e l&apos;opzione --language della riga di comando la scelgono per un solo rapporto.</translation>
    </message>
    <message>
        <source>Report language</source>
        <translation>Lingua del rapporto</translation>
    </message>
    <message>
        <source>The language this report is written in, whatever the window&apos;s: its texts, dates and numbers (Italiano: decimal comma). First offered: the tube&apos;s own, from Tube Settings, else the program&apos;s.</source>
        <translation>La lingua in cui è scritto questo rapporto, qualunque sia quella della finestra: testi, date e numeri (Italiano: virgola decimale). Proposta per prima: quella del tubo, da Impostazioni tubo, altrimenti quella del programma.</translation>
    </message>
    <message>
        <source>Report &amp;language:</source>
        <translation>&amp;Lingua del rapporto:</translation>
    </message>
    <message>
        <source>Inclinometer report</source>
        <translation>Rapporto inclinometrico</translation>
    </message>
    <message>
        <source>The program&apos;s</source>
        <translation>Quella del programma</translation>
    </message>
    <message>
        <source>Reports in:</source>
        <translation>Rapporti in:</translation>
    </message>
    <message>
        <source>The report&apos;s language, en or it (the program&apos;s by default); the CSV is the same in both.</source>
        <translation>La lingua del rapporto, en o it (quella del programma se non indicata); il CSV è lo stesso in entrambe.</translation>
    </message>
    <message>
        <source>--language takes en or it, not &quot;%1&quot;</source>
        <translation>--language vuole en o it, non &quot;%1&quot;</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>e altri %1</translation>
    </message>
    <message>
        <source>A chart&apos;s resolution is 36 to 1200 dpi, not %1</source>
        <translation>La risoluzione di un grafico va da 36 a 1200 dpi, non %1</translation>
    </message>
    <message>
        <source>The chart is exported as .png, .svg or .pdf</source>
        <translation>Il grafico si esporta come .png, .svg o .pdf</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Pagina %1 di %2</translation>
    </message>
    <message>
        <source> (continued)</source>
        <translation> (segue)</translation>
    </message>
    <message>
        <source>Site plan, resultant at %1 m</source>
        <translation>Planimetria del cantiere, risultante a %1 m</translation>
    </message>
    <message>
        <source>Site plan, resultant at the top</source>
        <translation>Planimetria del cantiere, risultante in testa</translation>
    </message>
    <message>
        <source>Not placed:</source>
        <translation>Non posizionati:</translation>
    </message>
    <message>
        <source>No tube has coordinates: give each its easting and northing in its settings.</source>
        <translation>Nessun tubo ha coordinate: dare a ciascuno est e nord nelle sue impostazioni.</translation>
    </message>
    <message>
        <source>arrow %1</source>
        <translation>freccia %1</translation>
    </message>
    <message>
        <source>Site report</source>
        <translation>Rapporto di cantiere</translation>
    </message>
    <message>
        <source>%1 tubes: %2 in ALARM, %3 in ALERT, %4 overdue. Report date: %5.</source>
        <translation>%1 tubi: %2 in ALLARME, %3 in ATTENZIONE, %4 in ritardo. Data del rapporto: %5.</translation>
    </message>
    <message>
        <source>Site report — %1</source>
        <translation>Rapporto di cantiere — %1</translation>
    </message>
    <message>
        <source>Latest readout %1 of %2</source>
        <translation>Ultima lettura %1 del %2</translation>
    </message>
    <message>
        <source>; largest %1 at %2 m</source>
        <translation>; massimo %1 a %2 m</translation>
    </message>
    <message>
        <source>; rate %1</source>
        <translation>; velocità di spostamento %1</translation>
    </message>
    <message>
        <source>; status: %1</source>
        <translation>; stato: %1</translation>
    </message>
    <message>
        <source>none reached</source>
        <translation>nessuna soglia raggiunta</translation>
    </message>
    <message>
        <source>Projection: %1</source>
        <translation>Proiezione: %1</translation>
    </message>
    <message>
        <source>Projection: none (fewer than three readouts, or not rising)</source>
        <translation>Proiezione: nessuna (meno di tre letture, o senza aumento)</translation>
    </message>
    <message>
        <source>Nothing compared: %1</source>
        <translation>Nessun confronto: %1</translation>
    </message>
    <message>
        <source>the site holds no tube</source>
        <translation>il cantiere non ha tubi</translation>
    </message>
    <message>
        <source>Site report, %1</source>
        <translation>Rapporto di cantiere, %1</translation>
    </message>
    <message>
        <source>Tube %1, %2, %3</source>
        <translation>Tubo %1, %2, %3</translation>
    </message>
    <message>
        <source>Tubes (continued)</source>
        <translation>Tubi (segue)</translation>
    </message>
    <message>
        <source>Tubes</source>
        <translation>Tubi</translation>
    </message>
    <message>
        <source>, the most alarming and fastest first</source>
        <translation>, prima i più allarmanti e i più veloci</translation>
    </message>
    <message>
        <source>Days
since</source>
        <translation>Giorni
trascorsi</translation>
    </message>
    <message>
        <source>Over-
due</source>
        <translation>In
ritardo</translation>
    </message>
    <message>
        <source>at
(m)</source>
        <translation>a
(m)</translation>
    </message>
    <message>
        <source>Azimuth</source>
        <translation>Azimut</translation>
    </message>
    <message>
        <source>Projected
alarm</source>
        <translation>Allarme
previsto</translation>
    </message>
    <message>
        <source>Alert %1 %2</source>
        <translation>Attenzione %1 %2</translation>
    </message>
    <message>
        <source>Alarm %1 %2</source>
        <translation>Allarme %1 %2</translation>
    </message>
    <message>
        <source>%1 No. %2</source>
        <translation>%1 n. %2</translation>
    </message>
    <message>
        <source>%1 cumulative displacement</source>
        <translation>%1 spostamento cumulato</translation>
    </message>
    <message>
        <source>%1 incremental displacement</source>
        <translation>%1 spostamento incrementale</translation>
    </message>
    <message>
        <source>%1, + toward %2 at %3°</source>
        <translation>%1, + verso %2 a %3°</translation>
    </message>
    <message>
        <source>Displacement against time</source>
        <translation>Spostamento nel tempo</translation>
    </message>
    <message>
        <source>Readout date</source>
        <translation>Data della lettura</translation>
    </message>
    <message>
        <source>Displacement (%1)</source>
        <translation>Spostamento (%1)</translation>
    </message>
    <message>
        <source>%1 resultant</source>
        <translation>%1 risultante</translation>
    </message>
    <message>
        <source>, latest rate %1 %2</source>
        <translation>, ultima velocità %1 %2</translation>
    </message>
    <message>
        <source>Projection at %1 m, %2 %3</source>
        <translation>Proiezione a %1 m, %2 %3</translation>
    </message>
    <message>
        <source>Rate against time</source>
        <translation>Velocità di spostamento nel tempo</translation>
    </message>
    <message>
        <source>Rate (%1)</source>
        <translation>Velocità (%1)</translation>
    </message>
    <message>
        <source>the tube has no base readout to take depths from</source>
        <translation>il tubo non ha una lettura di riferimento da cui prendere le profondità</translation>
    </message>
    <message>
        <source>the tube was not read at %1 m: its depths run from %2 to %3 m every %4 m</source>
        <translation>il tubo non è stato letto a %1 m: le sue profondità vanno da %2 a %3 m ogni %4 m</translation>
    </message>
    <message>
        <source>Plan of the resultant</source>
        <translation>Pianta della risultante</translation>
    </message>
    <message>
        <source>B (%1), + toward B0</source>
        <translation>B (%1), + verso B0</translation>
    </message>
    <message>
        <source>A (%1), + toward A0</source>
        <translation>A (%1), + verso A0</translation>
    </message>
    <message>
        <source>Checksums against depth</source>
        <translation>Somme di controllo lungo la profondità</translation>
    </message>
    <message>
        <source>Reading 1 + 3, 2 + 4 (units)</source>
        <translation>Lettura 1 + 3, 2 + 4 (unità)</translation>
    </message>
    <message>
        <source>Base, %1</source>
        <translation>Riferimento, %1</translation>
    </message>
    <message>
        <source> (possible bias shift)</source>
        <translation> (possibile deriva dello zero)</translation>
    </message>
    <message>
        <source>Reading (reading units)</source>
        <translation>Lettura (unità di lettura)</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Riepilogo</translation>
    </message>
    <message>
        <source>Largest
(%1)</source>
        <translation>Massimo
(%1)</translation>
    </message>
    <message>
        <source>Rate
(%1)</source>
        <translation>Velocità
(%1)</translation>
    </message>
    <message>
        <source>Previous base</source>
        <translation>Riferimento precedente</translation>
    </message>
    <message>
        <source>Base readout</source>
        <translation>Lettura di riferimento</translation>
    </message>
    <message>
        <source>not computed</source>
        <translation>non calcolata</translation>
    </message>
    <message>
        <source>alert</source>
        <translation>attenzione</translation>
    </message>
    <message>
        <source>before the base</source>
        <translation>precedente al riferimento</translation>
    </message>
    <message>
        <source>new base, carried on from the previous one</source>
        <translation>nuovo riferimento, in continuità con il precedente</translation>
    </message>
    <message>
        <source>not in the charts</source>
        <translation>non nei grafici</translation>
    </message>
    <message>
        <source>Readout %1 at %2</source>
        <translation>Lettura %1 alle %2</translation>
    </message>
    <message>
        <source>, corrected</source>
        <translation>, corretta</translation>
    </message>
    <message>
        <source>Depth
(m)</source>
        <translation>Profondità
(m)</translation>
    </message>
    <message>
        <source>A change
(units)</source>
        <translation>Variaz. A
(unità)</translation>
    </message>
    <message>
        <source>B change
(units)</source>
        <translation>Variaz. B
(unità)</translation>
    </message>
    <message>
        <source>A incr.
(%1)</source>
        <translation>A incr.
(%1)</translation>
    </message>
    <message>
        <source>B incr.
(%1)</source>
        <translation>B incr.
(%1)</translation>
    </message>
    <message>
        <source>A cum.
(%1)</source>
        <translation>A cum.
(%1)</translation>
    </message>
    <message>
        <source>B cum.
(%1)</source>
        <translation>B cum.
(%1)</translation>
    </message>
    <message>
        <source>Resultant
(%1)</source>
        <translation>Risultante
(%1)</translation>
    </message>
    <message>
        <source>Sum A
(units)</source>
        <translation>Somma A
(unità)</translation>
    </message>
    <message>
        <source>Sum B
(units)</source>
        <translation>Somma B
(unità)</translation>
    </message>
    <message>
        <source>base
(units)</source>
        <translation>rif.
(unità)</translation>
    </message>
    <message>
        <source>, sums</source>
        <translation>, somme</translation>
    </message>
    <message>
        <source>base %5</source>
        <translation>rif. %5</translation>
    </message>
    <message>
        <source> (No. %1)</source>
        <translation> (n. %1)</translation>
    </message>
    <message>
        <source>No. %1: %2</source>
        <translation>N. %1: %2</translation>
    </message>
    <message>
        <source>Casing top elevation</source>
        <translation>Quota testa tubo</translation>
    </message>
    <message>
        <source>Depth reference</source>
        <translation>Rif. profondità</translation>
    </message>
    <message>
        <source>%1 wheel</source>
        <translation>rotella %1</translation>
    </message>
    <message>
        <source>Gauge length</source>
        <translation>Lunghezza di base</translation>
    </message>
    <message>
        <source>North (A0)</source>
        <translation>Nord (A0)</translation>
    </message>
    <message>
        <source>%1 at %2, carrying on from %3</source>
        <translation>%1 alle %2, in continuità con %3</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 alle %2</translation>
    </message>
    <message>
        <source>Readouts</source>
        <translation>Letture</translation>
    </message>
    <message>
        <source>%1, %2 in the charts</source>
        <translation>%1, %2 nei grafici</translation>
    </message>
    <message>
        <source>Corrections applied</source>
        <translation>Correzioni applicate</translation>
    </message>
    <message>
        <source>to %1 readouts, below</source>
        <translation>a %1 letture, sotto</translation>
    </message>
    <message>
        <source>Passes</source>
        <translation>Passaggi</translation>
    </message>
    <message>
        <source>two (0° and 180°)</source>
        <translation>due (0° e 180°)</translation>
    </message>
    <message>
        <source>one</source>
        <translation>uno</translation>
    </message>
    <message>
        <source>Report date</source>
        <translation>Data del rapporto</translation>
    </message>
    <message>
        <source>Base:</source>
        <translation>Riferimento:</translation>
    </message>
    <message>
        <source>Corrections:</source>
        <translation>Correzioni:</translation>
    </message>
    <message>
        <source>Probes:</source>
        <translation>Sonde:</translation>
    </message>
    <message>
        <source>Thresholds:</source>
        <translation>Soglie:</translation>
    </message>
    <message>
        <source>Warning:</source>
        <translation>Avvertenza:</translation>
    </message>
    <message>
        <source>Prepared by:</source>
        <translation>Redatto da:</translation>
    </message>
    <message>
        <source>Checked by:</source>
        <translation>Verificato da:</translation>
    </message>
    <message>
        <source>%1 — tube %2, %3, %4</source>
        <translation>%1 — tubo %2, %3, %4</translation>
    </message>
    <message>
        <source>base %1, units %2, report of %3</source>
        <translation>riferimento %1, unità %2, rapporto del %3</translation>
    </message>
    <message>
        <source>Tube %1 — %2</source>
        <translation>Tubo %1 — %2</translation>
    </message>
    <message>
        <source>%1, tube %2</source>
        <translation>%1, tubo %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no readout number or range (such as 01,04-07)</source>
        <translation>&quot;%1&quot; non è un numero di lettura né un intervallo (come 01,04-07)</translation>
    </message>
    <message>
        <source>no readout numbers in &quot;%1&quot;</source>
        <translation>nessun numero di lettura in &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 cannot be written</source>
        <translation>%1 non è scrivibile</translation>
    </message>
    <message>
        <source>bias</source>
        <translation>bias</translation>
    </message>
    <message>
        <source>rotation</source>
        <translation>rotazione</translation>
    </message>
    <message>
        <source>depth shift</source>
        <translation>traslazione di profondità</translation>
    </message>
    <message>
        <source>top displacement</source>
        <translation>spostamento in testa</translation>
    </message>
    <message>
        <source>units</source>
        <translation>unità</translation>
    </message>
    <message>
        <source>accepted %1</source>
        <translation>accettata il %1</translation>
    </message>
    <message>
        <source>taken at %1 m steps, the base at %2 m: not compared</source>
        <translation>letta a passi di %1 m, il riferimento a %2 m: non confrontata</translation>
    </message>
    <message>
        <source>the base carries readings 1 and 2 only (export files hold no others): the second pass needs readings 3 and 4, which only a survey downloaded by the program keeps; not compared</source>
        <translation>il riferimento ha solo le letture 1 e 2 (i file di esportazione non ne hanno altre): il secondo passaggio richiede le letture 3 e 4, che conserva solo una misura scaricata dal programma; non confrontata</translation>
    </message>
    <message>
        <source>it carries readings 1 and 2 only (export files hold no others): the second pass needs readings 3 and 4, which only a survey downloaded by the program keeps; not compared</source>
        <translation>ha solo le letture 1 e 2 (i file di esportazione non ne hanno altre): il secondo passaggio richiede le letture 3 e 4, che conserva solo una misura scaricata dal programma; non confrontata</translation>
    </message>
    <message>
        <source>rows at %1 lie outside the base&apos;s depths: left out of the comparison</source>
        <translation>le righe a %1 sono fuori dalle profondità del riferimento: escluse dal confronto</translation>
    </message>
    <message>
        <source>the tube is reduced from its top and the readout&apos;s top displacement is not entered</source>
        <translation>il tubo è calcolato dalla testa e lo spostamento in testa della lettura non è inserito</translation>
    </message>
    <message>
        <source>fixed end taken at %1 m, the deepest depth it shares with the base (nothing to compare at %2)</source>
        <translation>estremo fisso preso a %1 m, la profondità più bassa in comune con il riferimento (nulla da confrontare a %2)</translation>
    </message>
    <message>
        <source>not measured in both it and the base at %1: no change there, and no cumulative displacement there or below</source>
        <translation>non misurata sia nella lettura sia nel riferimento a %1: nessuna variazione lì, e nessuno spostamento cumulato lì o più in basso</translation>
    </message>
    <message>
        <source>not measured in both it and the base at %1: no change there, and no cumulative displacement there or above</source>
        <translation>non misurata sia nella lettura sia nel riferimento a %1: nessuna variazione lì, e nessuno spostamento cumulato lì o più in alto</translation>
    </message>
    <message>
        <source>the tube&apos;s probe constant K is not set: no displacement in mm</source>
        <translation>la costante della sonda K del tubo non è impostata: nessuno spostamento in mm</translation>
    </message>
    <message>
        <source>the top (its displacement surveyed per readout)</source>
        <translation>la testa (il suo spostamento rilevato a ogni lettura)</translation>
    </message>
    <message>
        <source>the deepest depth each readout shares with the base</source>
        <translation>la profondità più bassa che ogni lettura ha in comune con il riferimento</translation>
    </message>
    <message>
        <source>alert %1, alarm %2; alert rate %3, alarm rate %4; precision band ±%5 per interval, growing with the square root of the intervals from the fixed end; rates over at least %6 days; fixed end %7</source>
        <translation>attenzione %1, allarme %2; velocità di attenzione %3, velocità di allarme %4; fascia di precisione ±%5 per intervallo, crescente con la radice quadrata degli intervalli dall&apos;estremo fisso; velocità su almeno %6 giorni; estremo fisso %7</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 del %2</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>sconosciuta</translation>
    </message>
    <message>
        <source>probe changed since the base: read with %1, the base with %2 (each reduced with its own constant)</source>
        <translation>sonda cambiata dal riferimento: letta con %1, il riferimento con %2 (ciascuna calcolata con la propria costante)</translation>
    </message>
    <message>
        <source>probe changed since the base: read with %1, the base with %2</source>
        <translation>sonda cambiata dal riferimento: letta con %1, il riferimento con %2</translation>
    </message>
    <message>
        <source>carries on from base %1: base %2&apos;s cumulative against it is added to every later readout</source>
        <translation>in continuità con il riferimento %1: lo spostamento cumulato del riferimento %2 rispetto a questo si somma a ogni lettura successiva</translation>
    </message>
    <message>
        <source>no depth was read in both it and the base</source>
        <translation>nessuna profondità è stata letta sia nella lettura sia nel riferimento</translation>
    </message>
    <message>
        <source>the stable zone %1 lies outside the depths both it and the base hold (%2 to %3 m)</source>
        <translation>la zona stabile %1 è fuori dalle profondità comuni alla lettura e al riferimento (da %2 a %3 m)</translation>
    </message>
    <message>
        <source>no stable zone of %1 rows in the depths given: no bias or rotation proposed</source>
        <translation>nessuna zona stabile di %1 righe nelle profondità indicate: nessun bias né rotazione proposti</translation>
    </message>
    <message>
        <source>no stable zone of %1 rows from the toe up: no bias or rotation proposed</source>
        <translation>nessuna zona stabile di %1 righe dal fondo in su: nessun bias né rotazione proposti</translation>
    </message>
    <message>
        <source>the zone %1 is not quiet: %2&apos;s change spreads %3 about its mean here (the limit is %4)</source>
        <translation>la zona %1 non è ferma: la variazione di %2 si disperde di %3 attorno alla sua media qui (il limite è %4)</translation>
    </message>
    <message>
        <source>the zone %1 is not quiet: %2&apos;s change spreads %3 about its mean in readout %4 (the limit is %5)</source>
        <translation>la zona %1 non è ferma: la variazione di %2 si disperde di %3 attorno alla sua media nella lettura %4 (il limite è %5)</translation>
    </message>
    <message>
        <source>%1: nothing is taken from it</source>
        <translation>%1: non se ne ricava nulla</translation>
    </message>
    <message>
        <source>a probe turned %1° (more than %2°) is faulty: have it repaired, not corrected</source>
        <translation>una sonda ruotata di %1° (più di %2°) è guasta: va riparata, non corretta</translation>
    </message>
    <message>
        <source>only %1 follows the reading across (%2 %3°): a turned probe turns both axes, each the other way</source>
        <translation>solo %1 segue la lettura trasversale (%2 %3°): una sonda ruotata ruota entrambi gli assi, ciascuno in verso opposto</translation>
    </message>
    <message>
        <source>only %1 follows the reading across (%2 nothing): a turned probe turns both axes, each the other way</source>
        <translation>solo %1 segue la lettura trasversale (%2 nulla): una sonda ruotata ruota entrambi gli assi, ciascuno in verso opposto</translation>
    </message>
    <message>
        <source>readout %1</source>
        <translation>lettura %1</translation>
    </message>
    <message>
        <source>the base</source>
        <translation>il riferimento</translation>
    </message>
    <message>
        <source>the zone&apos;s %1 is not flat: it spreads %2 about its offset, more than the noise (%3)</source>
        <translation>la %1 della zona non è piatta: si disperde di %2 attorno al suo scostamento, più del rumore (%3)</translation>
    </message>
    <message>
        <source>the checksum of %1 moved %2, a bias of %3 would move it about %4: the offset is movement, not the probe</source>
        <translation>la somma di controllo di %1 si è spostata di %2, un bias di %3 la sposterebbe di circa %4: lo scostamento è movimento, non la sonda</translation>
    </message>
    <message>
        <source>one pass and no readout after it: nothing shows the offset is this readout&apos;s alone, and a tilt of the zone reads the same (the second pass&apos;s checksum would tell)</source>
        <translation>un solo passaggio e nessuna lettura successiva: nulla mostra che lo scostamento sia solo di questa lettura, e un&apos;inclinazione della zona si legge allo stesso modo (la somma di controllo del secondo passaggio lo direbbe)</translation>
    </message>
    <message>
        <source>one pass: an offset of %1 is too small to tell from what the readouts either side leave over (the second pass&apos;s checksum would tell)</source>
        <translation>un solo passaggio: uno scostamento di %1 è troppo piccolo per distinguerlo da quanto lasciano le letture vicine (la somma di controllo del secondo passaggio lo direbbe)</translation>
    </message>
    <message>
        <source>one pass: the zone&apos;s %1 moved %2 between %3 and %4, so its offset here cannot be told from movement (the second pass&apos;s checksum would tell)</source>
        <translation>un solo passaggio: la %1 della zona si è spostata di %2 tra %3 e %4, quindi qui lo scostamento non si distingue dal movimento (la somma di controllo del secondo passaggio lo direbbe)</translation>
    </message>
    <message>
        <source>%1 units</source>
        <translation>%1 unità</translation>
    </message>
    <message>
        <source>profile mismatch %1 as read, %2 with the depth shift</source>
        <translation>scarto del profilo %1 come letto, %2 con la traslazione di profondità</translation>
    </message>
    <message>
        <source>stable zone %1</source>
        <translation>zona stabile %1</translation>
    </message>
    <message>
        <source>B %1%2 as read, %3%4 corrected</source>
        <translation>B %1%2 come letto, %3%4 corretto</translation>
    </message>
    <message>
        <source>residual A %1%2 as read, %3%4 corrected</source>
        <translation>residuo A %1%2 come letto, %3%4 corretto</translation>
    </message>
    <message>
        <source>zone offset A %1, B %2 against the base, the readout before A %3, B %4</source>
        <translation>scostamento della zona A %1, B %2 rispetto al riferimento, la lettura precedente A %3, B %4</translation>
    </message>
    <message>
        <source>checksum moved A %1, B %2</source>
        <translation>somma di controllo spostata A %1, B %2</translation>
    </message>
    <message>
        <source>%1 at %2°</source>
        <translation>%1 a %2°</translation>
    </message>
    <message>
        <source>top %1 -&gt; %2</source>
        <translation>testa %1 -&gt; %2</translation>
    </message>
    <message>
        <source>at %1 m %2 -&gt; %3</source>
        <translation>a %1 m %2 -&gt; %3</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 e %2</translation>
    </message>
    <message>
        <source>no readout after the base</source>
        <translation>nessuna lettura dopo il riferimento</translation>
    </message>
    <message>
        <source>rate</source>
        <translation>velocità di spostamento</translation>
    </message>
    <message>
        <source>displacement</source>
        <translation>spostamento</translation>
    </message>
    <message>
        <source>the new base could not be compared with the previous one (%1): nothing to carry on</source>
        <translation>il nuovo riferimento non si è potuto confrontare con il precedente (%1): nulla da portare avanti</translation>
    </message>
    <message>
        <source>the new base holds no cumulative against the previous one at %1 m and %2 other depths: nothing carried on there</source>
        <translation>il nuovo riferimento non ha spostamento cumulato rispetto al precedente a %1 m e ad altre %2 profondità: lì nulla è portato avanti</translation>
    </message>
    <message>
        <source>the new base holds no cumulative against the previous one at %1 m: nothing carried on there</source>
        <translation>il nuovo riferimento non ha spostamento cumulato rispetto al precedente a %1 m: lì nulla è portato avanti</translation>
    </message>
    <message>
        <source>the tube&apos;s base readout is no longer in the library</source>
        <translation>la lettura di riferimento del tubo non è più nell&apos;archivio</translation>
    </message>
    <message>
        <source>no base readout is chosen for the tube</source>
        <translation>nessuna lettura di riferimento è scelta per il tubo</translation>
    </message>
    <message>
        <source>no depth holds a cumulative displacement</source>
        <translation>nessuna profondità ha uno spostamento cumulato</translation>
    </message>
    <message>
        <source>rate</source>
        <comment>criterion in a word</comment>
        <translation>vel.</translation>
    </message>
    <message>
        <source>displacement</source>
        <comment>criterion in a word</comment>
        <translation>spost.</translation>
    </message>
</context>
</TS>
