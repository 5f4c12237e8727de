/* Only its version resource matters. */
int NoFileVersionMarker(void) { return 0; }
