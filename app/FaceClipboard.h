#pragma once

class CoverSet;
class clsCover;

// Copy and Paste of the current face's picture through the system clipboard.
class FaceClipboard
{
public:
    // Whether the clipboard holds something Paste can put on a face: a picture, or a
    // picture file copied in a file manager.
    static bool offersPicture();
    // The picture goes onto the clipboard in its own kind; an empty face leaves the
    // clipboard as it was.
    static void copy(const CoverSet& set);
    // The clipboard's picture replaces the face's; the face's file stays named, and the set
    // counts as changed whatever the clipboard held. A copied picture file is taken as if
    // dropped: the face takes the file.
    static void paste(clsCover& cover);
};
