<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Lumivane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A slide show player and editor for photographs.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help &gt; Open Help File (F1) explains every window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Core</name>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open existing index file: index.ssi?.

Select Yes to open it.
Select No to delete it and build a new index.
Select Cancel to abort.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Slide Show Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open slide show: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preparing smooth motion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index file (index.ssi) already exists.

Replace it with a new index file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open slide show index file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error scanning for image files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder contains no JPEG or TIFF files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder contains %d JPEG, TIFF, PNG, WebP, JPEG XL, HEIF or AVIF files, more than a slide show can hold (%d)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a slide show index file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create New Slide Show Index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create index file: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error scanning for index files: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open existing slide show index file: %s?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open one of the existing slide show index files?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No slide show folder specified yet -- click OK to select one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slide Show Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No slide show folder specified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slide show folder does not exist: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out of memory: %d of %d slides were loaded.
The pictures of the whole show need %s; the program may use %s for them.
The other slides stay in the show without their pictures.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading image files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot save a slide show without slides</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Slide Show Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index file must be in the same folder as the image files.
image folder: %s
index folder: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create slide show file: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save modified slide show settings?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot copy file: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot allocate slides</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out of memory: the picture of %s does not fit; the slide stays without it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A slide show holds at most %d slides: this one has %d, and %d more cannot be added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading file: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File already exists: %s
Overwrite with new file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File not found: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only JPEG or TIFF files can be processed: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image file is used by another slide will not be deleted: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out of memory: the pictures of %d slides need %s, more than the program may use now; nothing was copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select image file(s) to insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slide file does not exist: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More slide files do not exist (%d):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error reading slide file: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More slide files could not be read (%d):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slide file is damaged or incomplete; the missing part of the picture is black: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More slide files are damaged or incomplete (%d); the missing parts of their pictures are black:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not enough memory for smooth motion; this picture moves with less filtering: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More pictures have no memory for smooth motion (%d); they move with less filtering:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
and %d more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slide %d has no image file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pathname too long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot convert slide file to the monitor color space: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing quote</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Illegal number of slides: %d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Illegal number of frames: %d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s file has invalid version number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s file was created for a newer version of Lumivane -- some settings may be ignored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s file was created for an older version of Lumivane -- some settings may assigned default values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error loading bitmap file: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Problem converting from working color space to monitor color space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read error copying file: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write error copying file)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot move file to the trash: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out of Memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The show has no slides</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot play the show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No such show: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No slide show index file %s: open the folder in Lumivane once to make one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export interrupted; no video written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The video is ready: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot find the help page: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the web page %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This help topic currently unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too many pathnames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add images to slide show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete image file as well as slide?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete image files as well as slides?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete image file(s)?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No slides selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Slide Show...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Slide Show...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Slide Show Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Slide Show from Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Image Files...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Slide Show As...Ctrl-S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slide Show Properties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Video...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit	Ctrl-Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Slides</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut Slides</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste Slides Before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste Slides After</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slide Properties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Help File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for &amp;Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Lumivane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert one or more new slides before this one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert one or more new slides after this one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove current slide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit current slide&apos;s settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restart the slide show starting here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run slide show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause slide show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show previous image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show next image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete selected slide(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut selected slide(s) to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy selected slide(s) to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste clipboard before current slide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste clipboard after current slide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No such file: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File does not exist: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Session Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Illegal proportions width: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Illegal proportions height: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Illegal delay: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Illegal transition time: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame out of range: %d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not enough memory to edit the slide %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame %d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot remove the last frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changing the style will remove all but the first frame.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not access version information - please check your internet connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error downloading version information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lumivane is up to date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another version available.

Current version -- %s

Latest downloadable version -- %s

Launch Download Page?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot use the folder %s to keep one program running.
Later starts will open programs of their own.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read the music file %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The music file %s holds no sound that can be played</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot decode the sound of the music file %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> or </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The video libraries on this machine have no %s encoder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The frame rate must be 24, 25, 30, 50 or 60 frames a second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The video size must be even numbers from %d x %d to %d x %d, such as 1920x1080</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The motion must be exact or smooth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name the video file to write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot make a video named %s: the name must end in %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The quality (CRF) of a %s video must be from %d to %d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slide Show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot make the video %s: it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot make the video %s: the folder %s does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The music file %s does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only one show is exported at a time: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s needs a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The video size is width x height, such as 1920x1080, not %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The quality (CRF) is a whole number, not %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown option: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name the show to export: lumivane --export SHOW -o VIDEO.mp4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name the video file to write with -o, such as -o show.mp4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The show has no slides to export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The show lasts more than %d hours, too long for a video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Problem converting from monitor color space to sRGB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%d %% (%d of %d frames), %s left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%d %% (%d of %d frames)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write the video file %s: %s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExportCommand</name>
    <message>
        <source>Try lumivane --help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 x %3, %4 frames (%5 s) in %6 s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>MP4 video, H.264 (*.mp4 *.m4v);;WebM video, VP9 (*.webm);;Matroska video, AV1 (*.mkv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Music (*.mp3 *.m4a *.aac *.ogg *.opus *.flac *.wav *.wma);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 frames a second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quality (CRF):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Smooth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Motion:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Music:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 to %2, lower is better; %3 for %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Music for the video</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExportProgressWindow</name>
    <message>
        <source>Exporting Video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counting the frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopping</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Lumivane Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The main window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Playing a show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slide properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key frames and paths</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slide show properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporting a video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The index file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Smooth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date taken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor Profile: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame Rate: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Motion: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Caption: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sRGB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adobe RGB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DCI-P3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>60 fps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>50 fps</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtUserInterface</name>
    <message>
        <source>Slide Show Index File (*.ssi)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures (*.tif *.tiff *.jpg *.jpeg *.png *.webp *.jxl *.heic *.heif *.avif)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TIFF/JPEG (*.tif *.tiff *.jpg *.jpeg)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShowPropertiesDialog</name>
    <message>
        <source>Slide Show Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto - Run on startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto - Don&apos;t run on startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <comment>captions</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Small</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Medium</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <comment>transition</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fade to black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crossfade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Curtain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Proportions: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Window Size: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Captions: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Style: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Delay: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transition: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transition Time: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SlidePropertiesDialog</name>
    <message>
        <source>Slide Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delay: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Style: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Caption: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous Frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert new frame before current frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert new frame after current frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete current frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set crop box as large as possible</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Center crop box horizontally</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Center crop box vertically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Constant Pan/Zoom Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nonlinear Pan/Zoom Speed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusWindow</name>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
