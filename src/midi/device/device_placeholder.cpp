// The device ports arrive with live playback.
