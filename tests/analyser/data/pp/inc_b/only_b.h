int in_b;
