#pragma once

struct FaceInfo;

// The face's own message for a picture file that cannot be loaded.
void tellPictureUnreadable(const FaceInfo& face);
