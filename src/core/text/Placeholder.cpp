namespace tossbox {}
