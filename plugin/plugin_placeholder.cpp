// Replaced by the plug-in shell.
