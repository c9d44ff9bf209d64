// The editor's help: dialogs open their topic through this, without knowing where the help file lies.
#pragma once

// Opens a topic ("vc_slideedit.htm") of the help file beside the editor.
void ShowHelpTopic(const char* topic);
