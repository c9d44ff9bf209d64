// The player's way of loading an image object's picture: data that is an animated GIF plays through
// CAniPicture, split into its frames; anything else loads as one picture.
#pragma once

class CImageObj;
class CProjectPack;

// The loader CImageObj::LoadPicture calls in the player (the application installs it for the run).
void LoadPlayerPicture(CImageObj& object, const CProjectPack* pack);
