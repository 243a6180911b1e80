int in_c;
